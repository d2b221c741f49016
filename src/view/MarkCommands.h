#pragma once

#include "commands/CommandId.h"

#include <vector>

class CCommandRegistry;
class CDomainDoc;
class QWidget;

// Joins Select All, Unselect All, Invert Selection, Select Free Domains and
// Select a Range (its dialog opens over parent) to the registry. Returns
// the ids registered.
std::vector<CommandId> RegisterMarkCommands(CCommandRegistry& registry, CDomainDoc& doc, QWidget* parent);
