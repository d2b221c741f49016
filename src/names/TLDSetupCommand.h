#pragma once

#include <functional>

class CCommandRegistry;
class CLookupScheduler;
class QWidget;

// Runs "Top Level Domains & WHOIS Servers", again as often as it closes to
// reopen. After Close the next lookups resolve the servers anew, unless a
// lookup is running (isBusy), which keeps the addresses it has; the user is
// told so.
void OnSetupDomains(const std::function<bool()>& isBusy, QWidget* parent);

// Registers "Setup Domains" (ID_SETUP_DOMAINS), always enabled. Busy means
// scheduler is busy; scheduler may go before the registry does.
void RegisterSetupDomainsCommand(CCommandRegistry& registry, CLookupScheduler* scheduler, QWidget* parent);
