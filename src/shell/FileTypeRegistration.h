#pragma once

#include <QString>

// Tells the desktop that ".qzn" files are Telvaro documents and that this
// program, where it now lives, opens them: an XDG desktop entry, a
// shared-MIME-info type and the program's icon under $XDG_DATA_HOME
// (~/.local/share). Done at every start, so a moved program is found again;
// an installed program leaves this to the files its package put in place.
class CFileTypeRegistration
{
public:
    static constexpr char kMimeType[] = "application/x-telvaro-qzn";
    static constexpr char kDesktopFile[] = "telvaro.desktop";
    static constexpr char kMimeFile[] = "telvaro-qzn.xml";

    // program: the executable the entry starts. Writes only what changed;
    // when something did, asks update-mime-database and
    // update-desktop-database (where installed) to refresh their caches in
    // the background. False when a file could not be written.
    static bool Register(const QString& program);

    // The desktop entry's Exec line for program: quoted and escaped as the
    // desktop entry format wants, with %f for the document.
    static QString ExecLine(const QString& program);
    // True when program runs from an install prefix (PREFIX/bin/telvaro
    // with PREFIX/share/applications/telvaro.desktop beside it), whose
    // desktop entry, file type and icons the desktop already knows.
    static bool IsInstalled(const QString& program);
    // program as one quoted argument of an Exec line.
    static QString QuotedProgram(const QString& program);

    static QString DataHome();
};
