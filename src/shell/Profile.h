#pragma once

#include <QString>

// The settings store: sections and value names as the program has always
// used them, kept by QSettings (organisation and application "Telvaro") in
// $XDG_CONFIG_HOME/Telvaro/Telvaro.conf. Values are read at the moment of
// use, never cached.

int GetProfileInt(const char* section, const char* entry, int defaultValue);
QString GetProfileString(const char* section, const char* entry, const QString& defaultValue = {});
void WriteProfileInt(const char* section, const char* entry, int value);
void WriteProfileString(const char* section, const char* entry, const QString& value);

// One stored integer with its place and default.
struct IntSetting
{
    const char* m_pszSection;
    const char* m_pszEntry;
    int m_nDefault;

    int Get() const { return GetProfileInt(m_pszSection, m_pszEntry, m_nDefault); }
    void Set(int value) const { WriteProfileInt(m_pszSection, m_pszEntry, value); }
};

// One stored string; its default is empty.
struct StringSetting
{
    const char* m_pszSection;
    const char* m_pszEntry;

    QString Get() const { return GetProfileString(m_pszSection, m_pszEntry); }
    void Set(const QString& value) const { WriteProfileString(m_pszSection, m_pszEntry, value); }
};

// Every value the program keeps, with its default.
namespace Settings {
inline constexpr IntSetting MaxConnections{"Settings", "Max Connections", 5};
inline constexpr IntSetting ConnectionInterval{"Settings", "Connection Interval", 2};
inline constexpr IntSetting LookupTimeout{"Settings", "Lookup Timeout", 60};
inline constexpr IntSetting PrintLines{"Settings", "Print Lines", 30};
inline constexpr IntSetting MaxEntries{"Settings", "Max Entries", 3000};
inline constexpr IntSetting StripOutput{"Settings", "Strip Output", 1};
inline constexpr IntSetting MinimizeToTray{"Settings", "Minimize to Tray", 0};
inline constexpr IntSetting RunAtStartup{"Settings", "Run at Win startup", 0};
inline constexpr IntSetting SixteenColorToolbar{"Settings", "16 Color Toolbar", 0};
inline constexpr IntSetting AutoTrademarkLookup{"Settings", "Auto Trademark Lookup", 1};
inline constexpr StringSetting WindowPos{"Settings", "WindowPos"};
inline constexpr StringSetting FindDomain{"Settings", "Find Domain"};
inline constexpr IntSetting RangeFirst{"Settings", "R1", 1};
inline constexpr IntSetting RangeLast{"Settings", "R2", 1};
inline constexpr IntSetting RangeUnselect{"Settings", "UnSelect", 0};
inline constexpr IntSetting UseDash{"Settings", "Use Dash", 0};
inline constexpr IntSetting NoEndAppend{"Settings", "No End Append", 0};
inline constexpr IntSetting NoStartAppend{"Settings", "No Start Append", 0};
inline constexpr IntSetting NoBothAppend{"Settings", "No Both Append", 1};
inline constexpr IntSetting WebType{"Settings", "Web Type", 0};
inline constexpr IntSetting SaveRegistrarURL{"Settings", "Save Registrar URL", 1};
inline constexpr StringSetting SavePathHtm{"Save Path", "HTM"};
inline constexpr StringSetting SavePathTxt{"Save Path", "TXT"};
inline constexpr StringSetting SavePathMdb{"Save Path", "MDB"};
inline constexpr StringSetting ImportPathTxt{"Path", "TXT"};
inline constexpr char KeywordsSection[] = "Keywords";
inline constexpr char FindSection[] = "Find";
}
