#pragma once

class CCommandRegistry;
class CDomainDoc;
class QWidget;

// Registers "Add Domains" (ID_ADD_DOMAINS) and "Construct Names"
// (ID_CONSTRUCT_NAMES), both always enabled. doc and parent must outlive
// the registry's actions.
void RegisterNameCommands(CCommandRegistry& registry, CDomainDoc& doc, QWidget* parent);

// Runs the "Domain Names" dialog and offers its names, completed with the
// ticked TLDs, to doc. Tells the user when the full list dropped some.
void OnAddDomains(CDomainDoc& doc, QWidget* parent);

// Runs the "Construct Domain Names" dialog and offers the names it built
// to doc. Tells the user when the full list dropped some.
void OnConstructNames(CDomainDoc& doc, QWidget* parent);
