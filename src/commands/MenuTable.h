#pragma once

#include "commands/CommandId.h"

#include <span>

// The program's menus and its toolbar as data. Items name commands only: the
// texts, keys and pictures come from the command table. Builders turn these
// into widgets and leave out every command that nothing has registered yet.
enum class MenuItemKind
{
    Command,
    Separator,
    Popup,
    RecentFiles,   // the recent-file entries go here
};

struct MenuItem
{
    MenuItemKind m_kind;
    CommandId m_id{};                       // Command
    const char* m_pszText = nullptr;        // Popup title
    std::span<const MenuItem> m_children;   // Popup
};

// The popups of the menu bar, in order.
std::span<const MenuItem> GetMainMenu();
// The domain list's right-click menu.
std::span<const MenuItem> GetListContextMenu();
// The Domain Pad's menu, of its button and its right-click.
std::span<const MenuItem> GetDomainPadMenu();

// The menu of the notification-area icon.
std::span<const MenuItem> GetTrayMenu();

// The buttons of the main toolbar in order; a null id stands for a separator.
std::span<const CommandId> GetMainToolBar();
