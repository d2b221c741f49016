#include "commands/CommandTable.h"

#include "commands/CommandPictures.h"

#include <algorithm>

namespace {

// One row per command, sorted by id: id, menu text, context-menu text,
// status prompt, tooltip, keys, picture.
constexpr CommandInfo kCommands[] = {
    {ID_REGISTER_DOMAIN, nullptr, nullptr, nullptr, nullptr, {}, nullptr},
    {ID_ADD_DOMAINS, "&Add Names...", nullptr, "Add Domains", "Add Domains", {Qt::CTRL | Qt::Key_A}, Pictures::AddNames},
    {ID_CONSTRUCT_NAMES, "&Construct Names...", nullptr, "Construct domain names  from keywords", "Construct domain names", {Qt::CTRL | Qt::Key_K}, Pictures::ConstructNames},
    {ID_DELETE_SELECTED, "&Delete Selected", nullptr, "Delete Selected", "Delete Selected", {}, Pictures::DeleteSelected},
    {ID_SORT_NAMES, "&Name wise", nullptr, "Sort Names", "Sort Names", {}, nullptr},
    {ID_SELECT_ALL, "&Select All", nullptr, "Select All", "Select All", {}, Pictures::SelectAll},
    {ID_INVERT_SELECTION, "&Invert Selection", nullptr, "Invert Selection", "Invert Selection", {}, Pictures::InvertSelection},
    {ID_UNSELECT_ALL, "&Unselect All", nullptr, "Unselect All", "Unselect All", {}, Pictures::UnselectAll},
    {ID_DELETE_ALL, "&Delete All", nullptr, "Delete All", "Delete All", {}, Pictures::DeleteAll},
    {ID_CHECK_AVAILABILITY, "Highlighted &Domain", "&Check Availability", "Check Domain Availability", "Check Availability", {Qt::Key_F4}, Pictures::CheckAvailability},
    {ID_SHOW_INFO, nullptr, nullptr, "Show Info", "Show Info", {}, nullptr},
    {ID_LOOKUP_SELECTED, "&All Selected", nullptr, "Check All Selected Domains for availability", "Lookup Selected", {Qt::Key_F5}, Pictures::LookupSelected},
    {ID_REFRESH, "&Refresh", nullptr, "Refresh", "Refresh", {}, Pictures::Refresh},
    {ID_STOP_ALL, "&Stop All", nullptr, "Stop All", "Stop All", {}, Pictures::StopAll},
    {ID_FIND, "&Find...", nullptr, "Find", "Find", {Qt::CTRL | Qt::Key_F, Qt::Key_F3}, Pictures::Find},
    {ID_RESET_ENTRY, "&Reset Entry", nullptr, "Reset this domain", "Reset", {}, nullptr},
    {ID_DELETE_ENTRY, "&Delete Entry", nullptr, "Delete Entry", "Delete", {}, nullptr},
    {ID_BROWSE_WEBSITE, "&Browse website", nullptr, "Browse website", "Browse website", {Qt::Key_F9}, Pictures::BrowseWebsite},
    {ID_STOP_LOOKUP, "Stop &Highlighted", "Stop &Lookup", "Stop Domain Lookup", "Stop Domain Lookup", {}, nullptr},
    {ID_HELP_TOPICS, "&Help Topics", nullptr, "List Help topics", "Help Topics", {}, nullptr},
    {ID_FIND_ENTRY, nullptr, nullptr, "Find entry", "Find entry", {}, nullptr},
    {ID_COPY_ENTRY, nullptr, nullptr, "Copy entry to clipboard", "Copy", {}, nullptr},
    {ID_SELECT_RANGE, nullptr, nullptr, "Select a range of entries", "Select range", {}, Pictures::SelectRange},
    {ID_COPY_DOMAIN_NAME, "&Domain Name", nullptr, "Copy Domain name to clipboard", "Copy Domain Name", {}, nullptr},
    {ID_COPY_DOMAIN_INFO, "&Domain Information", nullptr, "Copy the domain information to clipboard", "Copy domain information", {}, nullptr},
    {ID_COPY_DOMAIN_URL, "Domain &URL", nullptr, "Copy domain URL to clipboard", "Copy Domain URL", {}, nullptr},
    {ID_COPY_ALL, "&Copy All Entries", nullptr, "Copy all entries to clipboard", "Copy all", {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}, Pictures::CopyAll},
    {ID_COPY_SELECTED, "Copy &Selected Entries", nullptr, "Copy selected entries to clipboard", "Copy selected", {}, Pictures::CopySelected},
    {ID_SORT_STATUS, "Status wise", nullptr, "Sort domain status wise", "Sort domain status wise", {}, nullptr},
    {ID_SORT_DATE, nullptr, nullptr, "Sort based on date of checking", "Sort date wise", {}, nullptr},
    {ID_OPTIONS, "&Options...", nullptr, "Options", "Options", {}, nullptr},
    {ID_RESET_SELECTED, "&Reset All Selected", nullptr, "Reset Selected", "Reset Selected", {}, nullptr},
    {ID_REPORT_FULL, "Selected &Full...", "HTML, Selected &Full...", "Export All information to an HTML file", "Export to HTML", {}, nullptr},
    {ID_REPORT_SUMMARY, "Selected &Summary...", "HTML, Selected &Summary...", "Export summary information to an HTML file", "Export summary to HTML", {}, nullptr},
    {ID_SETUP_DOMAINS, "Setup D&omains", nullptr, "Setup Domains", "Setup Domains", {}, Pictures::SetupDomains},
    {ID_COPY_DOMAIN_IP, "Domain I&P", nullptr, "Copy the domain IP to clipboard", "Copy domain IP", {}, nullptr},
    {ID_SHOW, "Show...", nullptr, "Show", "Show", {}, nullptr},
    {ID_TRAY_OPTIONS, nullptr, nullptr, "Tray Options", "Tray Options", {}, nullptr},
    {ID_MINIMIZE_TO_TRAY, "&Minimize to tray", nullptr, "Minimize to tray", "Minimize to tray", {}, Pictures::MinimizeToTray},
    {ID_WATCH_DOMAIN, "&Watch this domain", nullptr, "Watch this domain", "Watch this domain", {}, nullptr},
    {ID_SEARCH_RECORDS, "S&earch Domain Records...", nullptr, "Search Domain Records", "Search Domain Records", {Qt::Key_F8}, nullptr},
    {ID_RELAY_COPY_NAME, "&Domain Name", nullptr, "Copy domain name to clipboard", "Copy domain name", {}, nullptr},
    {ID_RELAY_COPY_URL, "Website &URL", nullptr, "Copy website URL to clipboard", "Copy URL", {}, nullptr},
    {ID_RELAY_OPEN_WEBSITE, "&Open website", nullptr, "Open website in browser", "Open website", {}, nullptr},
    {ID_WATCH_LIST, "Domains on &watch", nullptr, "Edit domains in watch list", "Edit watch list", {}, nullptr},
    {ID_WATCH_RESET, "&Reset", nullptr, "Reset the selected domain", "Reset selected domain", {}, nullptr},
    {ID_WATCH_RESET_ALL, "Reset &all domains", nullptr, "Reset all domains", "Reset all", {}, nullptr},
    {ID_WATCH_EDIT, "&Edit domain", nullptr, "Edit the domain settings", "Edit domain", {}, nullptr},
    {ID_WATCH_REMOVE, "R&emove domain", nullptr, "Remove domain", "Remove domain", {}, nullptr},
    {ID_TRADEMARK_LOOKUP, "&Trademark Lookup (IE)...", nullptr, "Trademark Lookup (requires IE)", "Trademark Lookup", {}, Pictures::TrademarkLookup},
    {ID_AUTO_TRADEMARK, "Auto Trademark &Lookup", nullptr, "Enable Automatic Trademark Lookup", "Auto Trademark Lookup", {}, Pictures::AutoTrademarkLookup},
    {ID_CHECK_TRADEMARK, "Check Trade&mark", nullptr, "Check Trademark", "Check Trademark", {}, Pictures::CheckTrademark},
    {ID_TRADEMARK_ALL_SELECTED, "Trademark Check All Selected", nullptr, "Check Trademark for all selected", "Trademark Check All Selected", {}, Pictures::TrademarkAllSelected},
    {ID_CREATE_FROM_TEMPLATES, "Create from &Templates...", nullptr, "Create domain names from character templates", "Create from templates", {}, nullptr},
    {ID_DELETE_REGISTERED, "All &Registered Domains", nullptr, "Delete all registered domain names from the list", "Delete registered domains", {}, nullptr},
    {ID_DELETE_FREE, "All &Free Domains", nullptr, "Delete all free domains from the list", "Delete all free domains", {}, nullptr},
    {ID_TOGGLE_DOMAIN_PAD, "&Domain Pad", nullptr, "Toggle Domain Pad", "Domain Pad", {}, nullptr},
    {ID_EXPORT_TEXT_SELECTED, "&All Selected Names...", "&Text, Selected Names...", "Export all Entries to Text File", "Export all as Text", {}, nullptr},
    {ID_CUSTOMER_SUPPORT, "Customer &Support", nullptr, "Customer Support", "Customer Support", {}, nullptr},
    {ID_EXPORT_TEXT_FREE, "All Available &Names", "Text,  Available &Names...", "Export Free Names to Text File", "Export Free Names", {}, nullptr},
    {ID_EXPORT_ACCESS, "&Export to Database", "&Database, Selected Full...", "Export to Database", "Export to Database", {}, Pictures::ExportDatabase},
    {ID_PAYMENT_STATUS, "NSI &Payment Status (IE)...", nullptr, "NSI Payment Status", "NSI Payment Status", {}, nullptr},
    {ID_COPY_TO_PAD, "Copy to D&omain Pad", nullptr, "Copy Name to Domain Pad", "Copy to Domain Pad", {}, nullptr},
    {ID_PAD_SELECTED, "&Domain Pad,  Selected Names", nullptr, "Copy all the selected names to domain pad", "Copy Selected to Domain Pad", {}, nullptr},
    {ID_PAD_AVAILABLE, "Domain Pad,  &Available Names", nullptr, "Copy all available names to Domain Pad", "Copy Available Names to Domain Pad", {}, nullptr},
    {ID_SELECT_FREE, "Select &Free Domains", nullptr, "Select All Free Domains", "Select Free", {}, nullptr},
    {ID_PAD_OPTIONS, "Domain Pad &Options", nullptr, "Domain Pad Options", "Domain Pad Options", {}, nullptr},
    {ID_PAD_DELETE_SELECTED, "&Delete Selected", nullptr, "Delete All Selected Entries", "Delete Selected", {}, nullptr},
    {ID_PAD_SORT, "&Sort Names", nullptr, "Sort All names alphabetically", "Sort", {}, nullptr},
    {ID_PAD_COPY_TO_MAIN, "&Copy Selected to Main", nullptr, "&Copy All selected names to main list", "Copy Selected to Main", {}, nullptr},
    {ID_PAD_COPY_TO_CLIPBOARD, "Copy Selected to Clip&board", nullptr, "Copy Selected to Clipboard", "Copy Selected to Clipboard", {}, nullptr},
    {ID_WIZARD, nullptr, nullptr, "Create a new domain name document using the Wizard", "Wizard", {Qt::CTRL | Qt::Key_W}, nullptr},
    {ID_FILE_NEW, "&New", nullptr, "Create a new document", "New", {Qt::CTRL | Qt::Key_N}, Pictures::New},
    {ID_FILE_OPEN, "&Open...", nullptr, "Open an existing document", "Open", {Qt::CTRL | Qt::Key_O}, Pictures::Open},
    {ID_FILE_SAVE, "&Save", nullptr, "Save the active document", "Save", {Qt::CTRL | Qt::Key_S}, Pictures::Save},
    {ID_FILE_SAVE_AS, "Save &As...", nullptr, "Save the active document with a new name", "Save As", {}, Pictures::SaveAs},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", nullptr, "Change the printer and printing options", "Print Setup", {}, Pictures::PrintSetup},
    {ID_FILE_PRINT, "&Print...", nullptr, "Print the active document", "Print", {Qt::CTRL | Qt::Key_P}, Pictures::Print},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", nullptr, "Display full pages", "Print Preview", {}, Pictures::PrintPreview},
    {ID_FILE_MRU_FILE1, nullptr, nullptr, "Open this document", nullptr, {}, nullptr},
    {ID_APP_ABOUT, "&About QZN...", nullptr, "Display program information, version number and copyright", "About", {}, nullptr},
    {ID_APP_EXIT, "E&xit", nullptr, "Quit the application; prompts to save documents", "Exit", {Qt::CTRL | Qt::Key_Q}, Pictures::Exit},   // Linux users expect Ctrl+Q to quit
    {ID_HELP_FINDER, nullptr, nullptr, "List Help topics", "Help Topics", {}, nullptr},
    {ID_CONTEXT_HELP, nullptr, nullptr, "Display help for clicked on buttons, menus and windows", "Help", {}, nullptr},
    {ID_HELP, nullptr, nullptr, "Display help for current task or command", "Help", {Qt::Key_F1}, nullptr},
    {ID_DEFAULT_HELP, nullptr, nullptr, "Display help for current task or command", "Help", {}, nullptr},
    {ID_NEXT_PANE, nullptr, nullptr, "Switch to the next window pane", "Next Pane", {Qt::Key_F6}, nullptr},
    {ID_PREV_PANE, nullptr, nullptr, "Switch back to the previous window pane", "Previous Pane", {Qt::SHIFT | Qt::Key_F6}, nullptr},
    {ID_VIEW_TOOLBAR, "&Toolbar", nullptr, "Show or hide the toolbar", "Toggle ToolBar", {}, nullptr},
    {ID_VIEW_STATUS_BAR, "&Status Bar", nullptr, "Show or hide the status bar", "Toggle StatusBar", {}, nullptr},
};

constexpr bool IsSortedAndUnique()
{
    for (size_t i = 1; i < std::size(kCommands); ++i) {
        if (!(kCommands[i - 1].m_id < kCommands[i].m_id))
            return false;
    }
    return true;
}
static_assert(IsSortedAndUnique(), "the command table must be sorted by id, each id once");

QString Latin1(const char* text)
{
    return text ? QString::fromLatin1(text) : QString();
}

}

const CommandInfo* FindCommand(CommandId id)
{
    const auto it = std::lower_bound(std::begin(kCommands), std::end(kCommands), id,
                                     [](const CommandInfo& c, CommandId key) { return c.m_id < key; });
    return it != std::end(kCommands) && it->m_id == id ? it : nullptr;
}

std::span<const CommandInfo> AllCommands()
{
    return kCommands;
}

QList<QKeySequence> CommandKeys(CommandId id)
{
    QList<QKeySequence> keys;
    if (const CommandInfo* c = FindCommand(id)) {
        for (QKeyCombination k : c->m_keys) {
            if (k.key() != Qt::Key_unknown)
                keys.append(QKeySequence(k));
        }
    }
    return keys;
}

QString CommandMenuText(CommandId id, MenuPlace place)
{
    const CommandInfo* c = FindCommand(id);
    if (!c)
        return {};
    if (place == MenuPlace::ContextMenu)
        return Latin1(c->m_pszContextText ? c->m_pszContextText : c->m_pszMenuText);
    QString text = Latin1(c->m_pszMenuText);
    const QList<QKeySequence> keys = CommandKeys(id);
    if (!keys.isEmpty())
        text += QLatin1Char('\t') + keys.first().toString(QKeySequence::NativeText);
    return text;
}

QString CommandPrompt(CommandId id)
{
    const CommandInfo* c = FindCommand(id);
    return c ? Latin1(c->m_pszPrompt) : QString();
}

QString CommandTooltip(CommandId id)
{
    const CommandInfo* c = FindCommand(id);
    return c ? Latin1(c->m_pszTooltip) : QString();
}

QString CommandTooltipWithKeys(CommandId id)
{
    const QList<QKeySequence> keys = CommandKeys(id);
    const QString tip = CommandTooltip(id);
    return keys.isEmpty() ? tip : QStringLiteral("%1 (%2)").arg(tip, keys.first().toString(QKeySequence::NativeText));
}
