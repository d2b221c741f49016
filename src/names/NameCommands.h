#pragma once

#include <QByteArrayList>

class CCommandRegistry;
class CDomainDoc;
class QWidget;

// Registers "Add Domains" (ID_ADD_DOMAINS) and "Construct Names"
// (ID_CONSTRUCT_NAMES), both always enabled, and the Wizard. doc and
// parent must outlive the registry's actions.
void RegisterNameCommands(CCommandRegistry& registry, CDomainDoc& doc, QWidget* parent);

// Runs the "Domain Names" dialog and offers its names, completed with the
// ticked TLDs, to doc. Tells the user when the full list dropped some.
void OnAddDomains(CDomainDoc& doc, QWidget* parent);

// Runs the "Construct Domain Names" dialog and offers the names it built
// to doc. Tells the user when the full list dropped some.
void OnConstructNames(CDomainDoc& doc, QWidget* parent);

// Offers names to doc under the busy cursor, rebuilds the list and tells
// the user what a full list left out. notBuilt: names the caller never
// made, which a full list would have refused as well.
void AddToDocument(CDomainDoc& doc, QWidget* parent, const QByteArrayList& names, qint64 notBuilt);
