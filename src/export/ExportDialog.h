#pragma once

#include "base/Settings.h"

#include <QString>

class QWidget;

// The Save As dialog of one kind of export: its filters, the extension a
// bare name gets, and the setting that remembers the folder of the last
// file chosen ("/home/me/reports/*.HTM").
struct CExportDialog
{
    const char* m_pszFilters;           // Qt's "Name (*.x);;Name (*)"
    const char* m_pszDefaultSuffix;
    StringSetting m_remembered;
    const char* m_pszRememberedExtension;   // what follows "*." in the setting
};

inline constexpr CExportDialog kHtmlReportDialog{"Html Files (*.htm);;All Files (*)", "htm", Settings::SavePathHtm,
                                                 "HTM"};
inline constexpr CExportDialog kTextExportDialog{"Text Files (*.txt);;All Files (*)", "txt", Settings::SavePathTxt,
                                                 "TXT"};
inline constexpr CExportDialog kDatabaseExportDialog{"SQLite databases (*.sqlite *.db);;All Files (*)", "sqlite",
                                                     Settings::SavePathMdb, "MDB"};

// The desktop's Save As dialog, which asks before it names an existing file.
// initial is the remembered text: a folder with a wildcard opens that
// folder, anything else is offered as the file name. Empty on Cancel.
QString AskExportPath(QWidget* parent, const CExportDialog& dialog, const QString& initial);

// The text remembered after path was chosen: its folder, then "*." and
// extension; null when path names no folder.
QString RememberedFolderText(const QString& path, const char* extension);
