#include "shell/MenuTable.h"

#include "shell/CommandIds.h"

namespace {

constexpr MenuItem Cmd(int id, const char* text)
{
    return {MenuItemKind::Command, id, text, {}};
}

constexpr MenuItem Popup(const char* text, std::span<const MenuItem> children)
{
    return {MenuItemKind::Popup, 0, text, children};
}

constexpr MenuItem kSep{MenuItemKind::Separator, 0, nullptr, {}};
constexpr MenuItem kRecent{MenuItemKind::RecentFiles, 0, nullptr, {}};

constexpr MenuItem kFile[] = {
    Cmd(ID_FILE_NEW, "&New\tCtrl+N"),
    Cmd(ID_FILE_OPEN, "&Open...\tCtrl+O"),
    Cmd(ID_FILE_SAVE, "&Save\tCtrl+S"),
    Cmd(ID_FILE_SAVE_AS, "Save &As..."),
    kSep,
    Cmd(ID_FILE_PRINT, "&Print...\tCtrl+P"),
    Cmd(ID_FILE_PRINT_PREVIEW, "Print Pre&view"),
    Cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."),
    kSep,
    kRecent,
    kSep,
    Cmd(ID_APP_EXIT, "E&xit"),
};

constexpr MenuItem kEditDelete[] = {
    Cmd(ID_DELETE_REGISTERED, "All &Registered Domains"),
    Cmd(ID_DELETE_FREE, "All &Free Domains"),
};

constexpr MenuItem kEdit[] = {
    Cmd(ID_COPY_ALL, "&Copy All Entries\tCtrl+C"),
    Cmd(ID_COPY_SELECTED, "Copy &Selected Entries"),
    kSep,
    Popup("Delete", kEditDelete),
    Cmd(ID_DELETE_SELECTED, "&Delete Selected"),
    Cmd(ID_DELETE_ALL, "&Delete All"),
};

constexpr MenuItem kView[] = {
    Cmd(ID_VIEW_TOOLBAR, "&Toolbar"),
    Cmd(ID_VIEW_STATUS_BAR, "&Status Bar"),
    kSep,
    Cmd(ID_FIND, "&Find..."),
    Cmd(ID_REFRESH, "&Refresh"),
    kSep,
    Cmd(ID_MINIMIZE_TO_TRAY, "&Minimize to tray"),
};

constexpr MenuItem kSelections[] = {
    Cmd(ID_SELECT_ALL, "&Select All"),
    Cmd(ID_INVERT_SELECTION, "&Invert Selection"),
    Cmd(ID_UNSELECT_ALL, "&Unselect All"),
};

constexpr MenuItem kNamesSort[] = {
    Cmd(ID_SORT_NAMES, "&Name wise"),
    Cmd(ID_SORT_STATUS, "Status wise"),
};

constexpr MenuItem kNamesReports[] = {
    Cmd(ID_REPORT_FULL, "Selected &Full..."),
    Cmd(ID_REPORT_SUMMARY, "Selected &Summary..."),
};

constexpr MenuItem kNamesExportText[] = {
    Cmd(ID_EXPORT_TEXT_SELECTED, "&All Selected Names..."),
    Cmd(ID_EXPORT_TEXT_FREE, "All Available &Names"),
};

constexpr MenuItem kNames[] = {
    Cmd(ID_ADD_DOMAINS, "&Add Names..."),
    Cmd(ID_CONSTRUCT_NAMES, "&Construct Names..."),
    kSep,
    Popup("&Sort", kNamesSort),
    kSep,
    Popup("&Reports", kNamesReports),
    Popup("Export As &Text", kNamesExportText),
    Cmd(ID_EXPORT_ACCESS, "&Export to Access"),
};

constexpr MenuItem kLookup[] = {
    Cmd(ID_CHECK_AVAILABILITY, "Highlighted &Domain"),
    Cmd(ID_LOOKUP_SELECTED, "&All Selected"),
    kSep,
    Cmd(ID_RESET_SELECTED, "&Reset All Selected"),
    Cmd(ID_STOP_LOOKUP, "Stop &Highlighted"),
    Cmd(ID_STOP_ALL, "&Stop All"),
    kSep,
    Cmd(ID_OPTIONS, "&Options..."),
    Cmd(ID_SETUP_DOMAINS, "Setup D&omains"),
};

constexpr MenuItem kHelp[] = {
    Cmd(ID_HELP_TOPICS, "&Help Topics"),
    Cmd(ID_CUSTOMER_SUPPORT, "Customer &Support"),
    kSep,
    Cmd(ID_APP_ABOUT, "&About QZN..."),
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

constexpr int kToolBar[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, 0,
    ID_COPY_ALL, ID_FIND, 0,
    ID_ADD_DOMAINS, ID_CONSTRUCT_NAMES, 0,
    ID_SELECT_ALL, ID_SELECT_RANGE, ID_UNSELECT_ALL, ID_DELETE_SELECTED, ID_INVERT_SELECTION, 0,
    ID_BROWSE_WEBSITE, ID_CHECK_AVAILABILITY, ID_LOOKUP_SELECTED, ID_STOP_ALL, 0,
    ID_SETUP_DOMAINS, ID_MINIMIZE_TO_TRAY,
};

}

std::span<const MenuItem> GetMainMenu()
{
    return kMainMenu;
}

std::span<const int> GetMainToolBar()
{
    return kToolBar;
}
