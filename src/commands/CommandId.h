#pragma once

// A command's number, shared by menus, the toolbar, shortcuts, context menus
// and the status-bar prompts. Typed, so that a row index or a count cannot
// pass for a command by accident.
struct CommandId
{
    int m_nValue = 0;

    constexpr CommandId Offset(int n) const { return CommandId{m_nValue + n}; }
};

// Spelled out rather than defaulted: moc cannot read the header <=> needs.
constexpr bool operator==(CommandId a, CommandId b) { return a.m_nValue == b.m_nValue; }
constexpr bool operator!=(CommandId a, CommandId b) { return a.m_nValue != b.m_nValue; }
constexpr bool operator<(CommandId a, CommandId b) { return a.m_nValue < b.m_nValue; }

inline constexpr CommandId ID_LOOKUP_DONE{101};
inline constexpr CommandId ID_WATCH_NOTIFY{103};
inline constexpr CommandId ID_REGISTER_DOMAIN{105};
inline constexpr CommandId ID_FILE_NEW{57600};
inline constexpr CommandId ID_FILE_OPEN{57601};
inline constexpr CommandId ID_FILE_SAVE{57603};
inline constexpr CommandId ID_FILE_SAVE_AS{57604};
inline constexpr CommandId ID_FILE_PRINT_SETUP{57606};
inline constexpr CommandId ID_FILE_PRINT{57607};
inline constexpr CommandId ID_FILE_PRINT_PREVIEW{57609};
inline constexpr CommandId ID_FILE_MRU_FILE1{57616};
inline constexpr CommandId ID_FILE_MRU_LAST{57631};
inline constexpr CommandId ID_APP_ABOUT{57664};
inline constexpr CommandId ID_APP_EXIT{57665};
inline constexpr CommandId ID_HELP_FINDER{57667};
inline constexpr CommandId ID_CONTEXT_HELP{57669};
inline constexpr CommandId ID_HELP{57670};
inline constexpr CommandId ID_DEFAULT_HELP{57671};
inline constexpr CommandId ID_NEXT_PANE{57680};
inline constexpr CommandId ID_PREV_PANE{57681};
inline constexpr CommandId ID_VIEW_TOOLBAR{59392};
inline constexpr CommandId ID_VIEW_STATUS_BAR{59393};
inline constexpr CommandId ID_ADD_DOMAINS{32771};
inline constexpr CommandId ID_CONSTRUCT_NAMES{32772};
inline constexpr CommandId ID_DELETE_SELECTED{32773};
inline constexpr CommandId ID_SORT_NAMES{32774};
inline constexpr CommandId ID_SELECT_ALL{32775};
inline constexpr CommandId ID_INVERT_SELECTION{32777};
inline constexpr CommandId ID_UNSELECT_ALL{32778};
inline constexpr CommandId ID_DELETE_ALL{32779};
inline constexpr CommandId ID_CHECK_AVAILABILITY{32780};
inline constexpr CommandId ID_SHOW_INFO{32781};
inline constexpr CommandId ID_LOOKUP_SELECTED{32782};
inline constexpr CommandId ID_REFRESH{32783};
inline constexpr CommandId ID_STOP_ALL{32784};
inline constexpr CommandId ID_FIND{32785};
inline constexpr CommandId ID_RESET_ENTRY{32787};
inline constexpr CommandId ID_DELETE_ENTRY{32788};
inline constexpr CommandId ID_BROWSE_WEBSITE{32789};
inline constexpr CommandId ID_STOP_LOOKUP{32790};
inline constexpr CommandId ID_HELP_TOPICS{32791};
inline constexpr CommandId ID_FIND_ENTRY{32795};
inline constexpr CommandId ID_COPY_ENTRY{32796};
inline constexpr CommandId ID_SELECT_RANGE{32797};
inline constexpr CommandId ID_COPY_DOMAIN_NAME{32799};
inline constexpr CommandId ID_COPY_DOMAIN_INFO{32800};
inline constexpr CommandId ID_COPY_DOMAIN_URL{32801};
inline constexpr CommandId ID_COPY_ALL{32802};
inline constexpr CommandId ID_COPY_SELECTED{32803};
inline constexpr CommandId ID_SORT_STATUS{32804};
inline constexpr CommandId ID_SORT_DATE{32805};
inline constexpr CommandId ID_OPTIONS{32806};
inline constexpr CommandId ID_RESET_SELECTED{32807};
inline constexpr CommandId ID_REPORT_FULL{32808};
inline constexpr CommandId ID_REPORT_SUMMARY{32809};
inline constexpr CommandId ID_SETUP_DOMAINS{32813};
inline constexpr CommandId ID_COPY_DOMAIN_IP{32818};
inline constexpr CommandId ID_SHOW{32819};
inline constexpr CommandId ID_TRAY_OPTIONS{32821};
inline constexpr CommandId ID_MINIMIZE_TO_TRAY{32822};
inline constexpr CommandId ID_WATCH_DOMAIN{32823};
inline constexpr CommandId ID_SEARCH_RECORDS{32824};
inline constexpr CommandId ID_RELAY_COPY_NAME{32825};
inline constexpr CommandId ID_RELAY_COPY_URL{32826};
inline constexpr CommandId ID_RELAY_OPEN_WEBSITE{32827};
inline constexpr CommandId ID_WATCH_LIST{32831};
inline constexpr CommandId ID_WATCH_RESET{32832};
inline constexpr CommandId ID_WATCH_RESET_ALL{32833};
inline constexpr CommandId ID_WATCH_EDIT{32834};
inline constexpr CommandId ID_WATCH_REMOVE{32835};
inline constexpr CommandId ID_TRADEMARK_LOOKUP{32838};
inline constexpr CommandId ID_AUTO_TRADEMARK{32841};
inline constexpr CommandId ID_CHECK_TRADEMARK{32843};
inline constexpr CommandId ID_TRADEMARK_ALL_SELECTED{32844};
inline constexpr CommandId ID_CREATE_FROM_TEMPLATES{32845};
inline constexpr CommandId ID_DELETE_REGISTERED{32848};
inline constexpr CommandId ID_DELETE_FREE{32849};
inline constexpr CommandId ID_TOGGLE_DOMAIN_PAD{32857};
inline constexpr CommandId ID_EXPORT_TEXT_SELECTED{32859};
inline constexpr CommandId ID_CUSTOMER_SUPPORT{32860};
inline constexpr CommandId ID_EXPORT_TEXT_FREE{32861};
inline constexpr CommandId ID_EXPORT_ACCESS{32863};
inline constexpr CommandId ID_PAYMENT_STATUS{32870};
inline constexpr CommandId ID_COPY_TO_PAD{32871};
inline constexpr CommandId ID_PAD_SELECTED{32872};
inline constexpr CommandId ID_PAD_AVAILABLE{32873};
inline constexpr CommandId ID_SELECT_FREE{32874};
inline constexpr CommandId ID_PAD_OPTIONS{32875};
inline constexpr CommandId ID_PAD_DELETE_SELECTED{32876};
inline constexpr CommandId ID_PAD_SORT{32877};
inline constexpr CommandId ID_PAD_COPY_TO_MAIN{32879};
inline constexpr CommandId ID_PAD_COPY_TO_CLIPBOARD{32880};
inline constexpr CommandId ID_WIZARD{32884};
