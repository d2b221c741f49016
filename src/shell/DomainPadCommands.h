#pragma once

class CCommandRegistry;
class CDomainDoc;
class CDomainPadBar;
class CDomainPadList;
class QWidget;

// Registers the Domain Pad's commands: its button's menu, Delete Selected,
// Sort Names, Copy Selected to Main (to doc, by the rules of Add Names),
// Copy Selected to Clipboard, and Toggle Domain Pad, which shows or hides
// bar and is checked while it shows. Messages open over parent. Everything
// given must outlive the registry's actions.
void RegisterDomainPadCommands(CCommandRegistry& registry, CDomainPadBar* bar, CDomainPadList* names,
                               CDomainDoc& doc, QWidget* parent);
