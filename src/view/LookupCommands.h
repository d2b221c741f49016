#pragma once

#include "commands/CommandId.h"

#include <functional>
#include <vector>

class CCommandRegistry;
class CLookupScheduler;

// Joins the lookup, stop and reset commands to the menus, the toolbar and
// the list's context menu. highlighted gives the
// highlighted entry's row, or -1. Returns the ids registered.
std::vector<CommandId> RegisterLookupCommands(CCommandRegistry& registry, CLookupScheduler& scheduler,
                            std::function<int()> highlighted);
