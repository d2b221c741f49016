#pragma once

#include "commands/CommandId.h"

#include <functional>
#include <vector>

class CCommandRegistry;
class CDomainDoc;
class QWidget;

// The questions of the delete commands, asked with Yes, No and Cancel.
namespace DeleteQuestions {
inline constexpr char kSelected[] = "This will delete all selected entries from the list.\r\n\r\nAre you sure?";
inline constexpr char kAll[] = "This will delete %1 entries from the list.\r\n\r\nAre you sure?";
inline constexpr char kTaken[] = "This will delete all registered domain names from the list.\r\n\r\nAre you sure?";
inline constexpr char kAvailable[] = "This will delete all unregistered domain names from the list.\r\n\r\nAre you sure?";
}

// Joins Delete Selected, Delete All, the two deletes of the Edit menu's
// Delete popup and the list's Delete Entry to the registry. Only Yes to
// the question deletes, and busy entries are never deleted. highlighted
// gives the highlighted entry's row, or -1; parent owns the questions.
// Returns the ids registered.
std::vector<CommandId> RegisterDeleteCommands(CCommandRegistry& registry, CDomainDoc& doc,
                                              std::function<int()> highlighted, QWidget* parent);
