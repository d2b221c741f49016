#pragma once

#include <span>

// The menu bar and the main toolbar as data. Builders turn them into widgets
// and leave out every command that nothing has registered yet.
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
    int m_nId = 0;                          // Command
    const char* m_pszText = nullptr;        // Command, Popup
    std::span<const MenuItem> m_children;   // Popup
};

// The popups of the menu bar, in order.
std::span<const MenuItem> GetMainMenu();

// The buttons of the main toolbar in order; 0 stands for a separator.
std::span<const int> GetMainToolBar();
