#pragma once

#include "base/Profile.h"

#include <QString>

#include <algorithm>
#include <climits>

// One stored integer with its place, its default and its valid range (the
// range the Options dialog offers; a value typed by hand outside it is
// stored as typed, and each user says whether it holds it to the range).
struct IntSetting
{
    const char* m_pszSection;
    const char* m_pszEntry;
    int m_nDefault;
    int m_nMin = INT_MIN;
    int m_nMax = INT_MAX;

    int Get() const { return GetProfileInt(m_pszSection, m_pszEntry, m_nDefault); }
    void Set(int value) const { WriteProfileInt(m_pszSection, m_pszEntry, value); }
    int Clamp(int value) const { return std::clamp(value, m_nMin, m_nMax); }
};

// One stored string; its default is empty unless one is given.
struct StringSetting
{
    const char* m_pszSection;
    const char* m_pszEntry;
    const char* m_pszDefault = nullptr;

    QString Get() const
    {
        return GetProfileString(m_pszSection, m_pszEntry, m_pszDefault ? QString::fromLatin1(m_pszDefault) : QString());
    }
    void Set(const QString& value) const { WriteProfileString(m_pszSection, m_pszEntry, value); }
};

// Every value the program keeps, with its default and range. A new setting
// is one line here; its users read it with Get() when they need it.
namespace Settings {
inline constexpr IntSetting MaxConnections{"Settings", "Max Connections", 5, 1, 40};
inline constexpr IntSetting ConnectionInterval{"Settings", "Connection Interval", 2, 2, 60};   // seconds
inline constexpr IntSetting LookupTimeout{"Settings", "Lookup Timeout", 60, 0, 3600};        // seconds, 0: none
inline constexpr IntSetting ServerConnections{"Settings", "Server Connections", 4, 0, 40};  // per server, 0: no pacing
inline constexpr IntSetting ControlNames{"Settings", "Control Names", 1, 0, 1};
inline constexpr IntSetting ResolveNames{"Settings", "Resolve Names", 1, 0, 1};
inline constexpr IntSetting PrintLines{"Settings", "Print Lines", 30, 1, 60};
inline constexpr IntSetting MaxEntries{"Settings", "Max Entries", 3000, 1000, 64000};
inline constexpr IntSetting StripOutput{"Settings", "Strip Output", 1, 0, 1};
inline constexpr IntSetting MinimizeToTray{"Settings", "Minimize to Tray", 0, 0, 1};
inline constexpr IntSetting RunAtStartup{"Settings", "Run at Win startup", 0, 0, 1};
inline constexpr IntSetting SixteenColorToolbar{"Settings", "16 Color Toolbar", 0, 0, 1};
inline constexpr IntSetting AutoTrademarkLookup{"Settings", "Auto Trademark Lookup", 1, 0, 1};
inline constexpr StringSetting WindowPos{"Settings", "WindowPos"};
inline constexpr StringSetting FindDomain{"Settings", "Find Domain"};
inline constexpr IntSetting RangeFirst{"Settings", "R1", 1};
inline constexpr IntSetting RangeLast{"Settings", "R2", 1};
inline constexpr IntSetting RangeUnselect{"Settings", "UnSelect", 0, 0, 1};
inline constexpr IntSetting UseDash{"Settings", "Use Dash", 0, 0, 1};
inline constexpr IntSetting NoEndAppend{"Settings", "No End Append", 0, 0, 1};
inline constexpr IntSetting NoStartAppend{"Settings", "No Start Append", 0, 0, 1};
inline constexpr IntSetting NoBothAppend{"Settings", "No Both Append", 1, 0, 1};
inline constexpr IntSetting WebType{"Settings", "Web Type", 0, 0, 5};
inline constexpr IntSetting SaveRegistrarURL{"Settings", "Save Registrar URL", 1, 0, 1};
// Where the web commands go; services move, so each can be pointed elsewhere.
inline constexpr StringSetting TrademarkSearchURL{"Settings", "Trademark Search URL", "https://tmsearch.uspto.gov/search/search-information"};
inline constexpr StringSetting PaymentStatusURL{"Settings", "Payment Status URL", "https://www.networksolutions.com/whois/results.jsp"};
inline constexpr StringSetting PaymentHomeURL{"Settings", "Payment Home URL", "https://www.networksolutions.com/"};
inline constexpr StringSetting SupportPage{"Settings", "Support Page", "support.htm"};   // a help page, or an address
inline constexpr StringSetting RegistrarExample1{"Settings", "Registrar Example 1", "https://www.namecheap.com/domains/registration/results/?domain={D}"};
inline constexpr StringSetting RegistrarExample2{"Settings", "Registrar Example 2", "https://porkbun.com/checkout/search?q={D}"};
inline constexpr StringSetting SavePathHtm{"Save Path", "HTM"};
inline constexpr StringSetting SavePathTxt{"Save Path", "TXT"};
inline constexpr StringSetting SavePathMdb{"Save Path", "MDB"};
inline constexpr StringSetting ImportPathTxt{"Path", "TXT"};
inline constexpr char KeywordsSection[] = "Keywords";
inline constexpr char FindSection[] = "Find";
}
