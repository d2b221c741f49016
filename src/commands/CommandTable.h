#pragma once

#include "commands/CommandId.h"

#include <QKeyCombination>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <array>
#include <span>

class QPainter;

// Draws a command's picture on a 16 x 16 grid.
using CommandPainter = void (*)(QPainter&);

// Everything the program shows of one command, in one place: menus, the
// toolbar, context menus, shortcuts and the status bar all read it here.
struct CommandInfo
{
    CommandId m_id;
    // Menu item text without its keys (menus add those from m_keys); null
    // for a command that stands in no menu.
    const char* m_pszMenuText;
    // The text in context menus, where it reads differently; null: the menu text.
    const char* m_pszContextText;
    const char* m_pszPrompt;    // status-bar prompt
    const char* m_pszTooltip;
    std::array<QKeyCombination, 2> m_keys;   // default keys, Qt::Key_unknown when unused
    CommandPainter m_paint;                  // null: no picture
};

// The table, sorted by id; null for an id that is not in it.
const CommandInfo* FindCommand(CommandId id);
std::span<const CommandInfo> AllCommands();

// Where a command's text is shown.
enum class MenuPlace
{
    MenuBar,
    ContextMenu,
};

// The item text for place: in the menu bar with the first key after a tab
// ("&New\tCtrl+N"); context menus, as they always have, without keys.
QString CommandMenuText(CommandId id, MenuPlace place = MenuPlace::MenuBar);
QString CommandPrompt(CommandId id);
QString CommandTooltip(CommandId id);
// The tooltip with the first key, "Lookup Selected (F5)".
QString CommandTooltipWithKeys(CommandId id);
QList<QKeySequence> CommandKeys(CommandId id);
