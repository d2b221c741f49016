#pragma once

#include "commands/CommandId.h"

#include <functional>
#include <vector>

class CCommandRegistry;
class CDomainDoc;
class CDomainPadList;

// Joins the clipboard copies to the registry: all names or the marked
// ones, each followed by CR LF, and the highlighted entry's name, address,
// whois record or web address. highlighted gives the highlighted entry's
// row, or -1. Returns the ids registered.
std::vector<CommandId> RegisterCopyCommands(CCommandRegistry& registry, CDomainDoc& doc,
                                            std::function<int()> highlighted);

// Joins the copies into the Domain Pad to the registry: the highlighted
// name, the marked names, the available names, in list order. Names the
// pad holds already are left out; the pad shows what was added. pad must
// outlive the registered commands. Returns the ids registered.
std::vector<CommandId> RegisterPadCopyCommands(CCommandRegistry& registry, CDomainDoc& doc,
                                               std::function<int()> highlighted, CDomainPadList* pad);
