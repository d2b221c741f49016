#pragma once

#include <QString>

// The string of a command id: its status-bar prompt, a line feed and its
// tooltip; null for an id without one.
const char* GetCommandString(int id);
QString GetCommandPrompt(int id);
QString GetCommandTooltip(int id);
