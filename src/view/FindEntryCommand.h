#pragma once

#include "commands/CommandId.h"

#include <vector>

class CCommandRegistry;
class CDomainDoc;
class CDomainListCtrl;

// Joins Find to the registry: its dialog opens over list's window, and the
// row found becomes the list's highlighted entry, scrolled into view, whose
// record the information pane then shows. Nothing is said when no name
// matches. Returns the ids registered.
std::vector<CommandId> RegisterFindCommand(CCommandRegistry& registry, CDomainDoc& doc, CDomainListCtrl* list);
