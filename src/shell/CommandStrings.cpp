#include "shell/CommandStrings.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entry
{
    int m_nId;
    const char* m_pszText;
};

// "status prompt\ntooltip" of every command, sorted by id.
constexpr Entry kStrings[] = {
    {32771, "Add Domains\nAdd Domains"},
    {32772, "Construct domain names  from keywords\nConstruct domain names"},
    {32773, "Delete Selected\nDelete Selected"},
    {32774, "Sort Names\nSort Names"},
    {32775, "Select All\nSelect All"},
    {32777, "Invert Selection\nInvert Selection"},
    {32778, "Unselect All\nUnselect All"},
    {32779, "Delete All\nDelete All"},
    {32780, "Check Domain Availability\nCheck Availability"},
    {32781, "Show Info\nShow Info"},
    {32782, "Check All Selected Domains for availability\nLookup Selected"},
    {32783, "Refresh\nRefresh"},
    {32784, "Stop All\nStop All"},
    {32785, "Find\nFind"},
    {32787, "Reset this domain\nReset"},
    {32788, "Delete Entry\nDelete"},
    {32789, "Browse website\nBrowse website"},
    {32790, "Stop Domain Lookup\nStop Domain Lookup"},
    {32791, "List Help topics\nHelp Topics"},
    {32795, "Find entry\nFind entry"},
    {32796, "Copy entry to clipboard\nCopy"},
    {32797, "Select a range of entries\nSelect range"},
    {32799, "Copy Domain name to clipboard\nCopy Domain Name"},
    {32800, "Copy the domain information to clipboard\nCopy domain information"},
    {32801, "Copy domain URL to clipboard\nCopy Domain URL"},
    {32802, "Copy all entries to clipboard\nCopy all"},
    {32803, "Copy selected entries to clipboard\nCopy selected"},
    {32804, "Sort domain status wise\nSort domain status wise"},
    {32805, "Sort based on date of checking\nSort date wise"},
    {32806, "Options\nOptions"},
    {32807, "Reset Selected\nReset Selected"},
    {32808, "Export All information to an HTML file\nExport to HTML"},
    {32809, "Export summary information to an HTML file\nExport summary to HTML"},
    {32813, "Setup Domains\nSetup Domains"},
    {32818, "Copy the domain IP to clipboard\nCopy domain IP"},
    {32819, "Show\nShow"},
    {32821, "Tray Options\nTray Options"},
    {32822, "Minimize to tray\nMinimize to tray"},
    {32823, "Watch this domain\nWatch this domain"},
    {32824, "Search Domain Records\nSearch Domain Records"},
    {32825, "Copy domain name to clipboard\nCopy domain name"},
    {32826, "Copy website URL to clipboard\nCopy URL"},
    {32827, "Open website in browser\nOpen website"},
    {32831, "Edit domains in watch list\nEdit watch list"},
    {32832, "Reset the selected domain\nReset selected domain"},
    {32833, "Reset all domains\nReset all"},
    {32834, "Edit the domain settings\nEdit domain"},
    {32835, "Remove domain\nRemove domain"},
    {32838, "Trademark Lookup (requires IE)\nTrademark Lookup"},
    {32841, "Enable Automatic Trademark Lookup\nAuto Trademark Lookup"},
    {32843, "Check Trademark\nCheck Trademark"},
    {32844, "Check Trademark for all selected\nTrademark Check All Selected"},
    {32845, "Create domain names from character templates\nCreate from templates"},
    {32848, "Delete all registered domain names from the list\nDelete registered domains"},
    {32849, "Delete all free domains from the list\nDelete all free domains"},
    {32857, "Toggle Domain Pad\nDomain Pad"},
    {32859, "Export all Entries to Text File\nExport all as Text"},
    {32860, "Customer Support\nCustomer Support"},
    {32861, "Export Free Names to Text File\nExport Free Names"},
    {32863, "Export to Access\nExport to Access"},
    {32870, "NSI Payment Status\nNSI Payment Status"},
    {32871, "Copy Name to Domain Pad\nCopy to Domain Pad"},
    {32872, "Copy all the selected names to domain pad\nCopy Selected to Domain Pad"},
    {32873, "Copy all available names to Domain Pad\nCopy Available Names to Domain Pad"},
    {32874, "Select All Free Domains\nSelect Free"},
    {32875, "Domain Pad Options\nDomain Pad Options"},
    {32876, "Delete All Selected Entries\nDelete Selected"},
    {32877, "Sort All names alphabetically\nSort"},
    {32879, "&Copy All selected names to main list\nCopy Selected to Main"},
    {32880, "Copy Selected to Clipboard\nCopy Selected to Clipboard"},
    {32884, "Create a new domain name document using the Wizard\nWizard"},
    {57600, "Create a new document\nNew"},
    {57601, "Open an existing document\nOpen"},
    {57603, "Save the active document\nSave"},
    {57604, "Save the active document with a new name\nSave As"},
    {57606, "Change the printer and printing options\nPrint Setup"},
    {57607, "Print the active document\nPrint"},
    {57609, "Display full pages\nPrint Preview"},
    {57616, "Open this document"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit the application; prompts to save documents\nExit"},
    {57667, "List Help topics\nHelp Topics"},
    {57669, "Display help for clicked on buttons, menus and windows\nHelp"},
    {57670, "Display help for current task or command\nHelp"},
    {57671, "Display help for current task or command\nHelp"},
    {57680, "Switch to the next window pane\nNext Pane"},
    {57681, "Switch back to the previous window pane\nPrevious Pane"},
    {59392, "Show or hide the toolbar\nToggle ToolBar"},
    {59393, "Show or hide the status bar\nToggle StatusBar"},
};

}

const char* GetCommandString(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const Entry& e, int key) { return e.m_nId < key; });
    return it != std::end(kStrings) && it->m_nId == id ? it->m_pszText : nullptr;
}

QString GetCommandPrompt(int id)
{
    const char* text = GetCommandString(id);
    return text ? QString::fromLatin1(text).section(QLatin1Char('\n'), 0, 0) : QString();
}

QString GetCommandTooltip(int id)
{
    const char* text = GetCommandString(id);
    return text ? QString::fromLatin1(text).section(QLatin1Char('\n'), 1, 1) : QString();
}
