#include "commands/MenuTable.h"

namespace {

constexpr MenuItem Cmd(CommandId id)
{
    return {MenuItemKind::Command, id, nullptr, {}};
}

constexpr MenuItem Popup(const char* text, std::span<const MenuItem> children)
{
    return {MenuItemKind::Popup, {}, text, children};
}

constexpr MenuItem kSep{MenuItemKind::Separator, {}, nullptr, {}};
constexpr MenuItem kRecent{MenuItemKind::RecentFiles, {}, nullptr, {}};
constexpr CommandId kBar{};

constexpr MenuItem kFile[] = {
    Cmd(ID_FILE_NEW), Cmd(ID_FILE_OPEN), Cmd(ID_FILE_SAVE), Cmd(ID_FILE_SAVE_AS), kSep,
    Cmd(ID_FILE_PRINT), Cmd(ID_FILE_PRINT_PREVIEW), Cmd(ID_FILE_PRINT_SETUP), kSep,
    kRecent, kSep,
    Cmd(ID_APP_EXIT),
};

constexpr MenuItem kEditDelete[] = {Cmd(ID_DELETE_REGISTERED), Cmd(ID_DELETE_FREE)};

// The copies into the Domain Pad stand in no menu of their own; they
// follow the clipboard copies here.
constexpr MenuItem kEdit[] = {
    Cmd(ID_COPY_ALL), Cmd(ID_COPY_SELECTED), kSep,
    Cmd(ID_COPY_TO_PAD), Cmd(ID_PAD_SELECTED), Cmd(ID_PAD_AVAILABLE), kSep,
    Popup("Delete", kEditDelete), Cmd(ID_DELETE_SELECTED), Cmd(ID_DELETE_ALL),
};

constexpr MenuItem kView[] = {
    Cmd(ID_VIEW_TOOLBAR), Cmd(ID_VIEW_STATUS_BAR), Cmd(ID_TOGGLE_DOMAIN_PAD), kSep,
    Cmd(ID_FIND), Cmd(ID_REFRESH), kSep,
    Cmd(ID_MINIMIZE_TO_TRAY),
};

constexpr MenuItem kSelections[] = {
    Cmd(ID_SELECT_ALL), Cmd(ID_INVERT_SELECTION), Cmd(ID_UNSELECT_ALL), kSep,
    Cmd(ID_SELECT_FREE),
};

constexpr MenuItem kNamesSort[] = {Cmd(ID_SORT_NAMES), Cmd(ID_SORT_STATUS)};
constexpr MenuItem kNamesReports[] = {Cmd(ID_REPORT_FULL), Cmd(ID_REPORT_SUMMARY)};
constexpr MenuItem kNamesExportText[] = {Cmd(ID_EXPORT_TEXT_SELECTED), Cmd(ID_EXPORT_TEXT_FREE)};

constexpr MenuItem kNames[] = {
    Cmd(ID_ADD_DOMAINS), Cmd(ID_CONSTRUCT_NAMES), kSep,
    Popup("&Sort", kNamesSort), kSep,
    Popup("&Reports", kNamesReports), Popup("Export As &Text", kNamesExportText), Cmd(ID_EXPORT_ACCESS),
};

constexpr MenuItem kLookup[] = {
    Cmd(ID_CHECK_AVAILABILITY), Cmd(ID_LOOKUP_SELECTED), kSep,
    Cmd(ID_RESET_SELECTED), Cmd(ID_STOP_LOOKUP), Cmd(ID_STOP_ALL), kSep,
    Cmd(ID_OPTIONS), Cmd(ID_SETUP_DOMAINS),
};

constexpr MenuItem kHelp[] = {
    Cmd(ID_HELP_TOPICS), Cmd(ID_CUSTOMER_SUPPORT), kSep,
    Cmd(ID_APP_ABOUT),
};

constexpr MenuItem kMainMenu[] = {
    Popup("&File", kFile),
    Popup("&Edit", kEdit),
    Popup("&View", kView),
    Popup("&Selections", kSelections),
    Popup("&Names", kNames),
    Popup("&Lookup", kLookup),
    Popup("&Help", kHelp),
};

// The list's menu leaves out "Watch this domain", "Check Trademark" and
// "Copy to Domain Pad", which the list never offers.
constexpr MenuItem kListCopy[] = {
    Cmd(ID_COPY_DOMAIN_NAME), Cmd(ID_COPY_DOMAIN_IP), Cmd(ID_COPY_DOMAIN_INFO), Cmd(ID_COPY_DOMAIN_URL),
};

constexpr MenuItem kListContext[] = {
    Cmd(ID_DELETE_ENTRY), Cmd(ID_RESET_ENTRY), Popup("&Copy", kListCopy), kSep,
    Cmd(ID_CHECK_AVAILABILITY), Cmd(ID_STOP_LOOKUP), Cmd(ID_TRADEMARK_LOOKUP), Cmd(ID_PAYMENT_STATUS), kSep,
    Cmd(ID_BROWSE_WEBSITE),
};

// The Domain Pad's right-click menu, which its button opens too.
constexpr MenuItem kPadContext[] = {
    Cmd(ID_PAD_DELETE_SELECTED), Cmd(ID_PAD_SORT), Cmd(ID_PAD_COPY_TO_MAIN), Cmd(ID_PAD_COPY_TO_CLIPBOARD),
};

// The notification-area icon's menu; its first item is the default.
constexpr MenuItem kTray[] = {Cmd(ID_SHOW), Cmd(ID_OPTIONS)};

constexpr CommandId kToolBar[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, kBar,
    ID_COPY_ALL, ID_FIND, kBar,
    ID_ADD_DOMAINS, ID_CONSTRUCT_NAMES, kBar,
    ID_SELECT_ALL, ID_SELECT_RANGE, ID_UNSELECT_ALL, ID_DELETE_SELECTED, ID_INVERT_SELECTION, kBar,
    ID_BROWSE_WEBSITE, ID_CHECK_AVAILABILITY, ID_LOOKUP_SELECTED, ID_STOP_ALL, kBar,
    ID_SETUP_DOMAINS, ID_MINIMIZE_TO_TRAY,
};

}

std::span<const MenuItem> GetMainMenu()
{
    return kMainMenu;
}

std::span<const MenuItem> GetListContextMenu()
{
    return kListContext;
}

std::span<const MenuItem> GetDomainPadMenu()
{
    return kPadContext;
}

std::span<const MenuItem> GetTrayMenu()
{
    return kTray;
}

std::span<const CommandId> GetMainToolBar()
{
    return kToolBar;
}
