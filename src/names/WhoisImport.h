#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

class CTLDTable;

// One "tld: whois server" line of an import file, as it goes into the table.
struct CWhoisImportEntry
{
    QByteArray m_strTLD;      // upper case
    QByteArray m_strServer;   // lower case; a URL keeps its path as written
};

// What an import did to the table.
struct CWhoisImportCount
{
    int m_nAdded = 0;       // new rows
    int m_nUpdated = 0;     // rows whose server changed
    int m_nUnchanged = 0;   // rows that had that server already
};

// The entry of one line: the text before its first colon is the TLD, the
// text after it the server, both trimmed. Nothing when there is no colon,
// the colon comes first, or either part is empty.
std::optional<CWhoisImportEntry> ParseWhoisImportLine(QByteArrayView line);

// The server text as the import stores it: lower case, except that the path
// of an http(s) URL stays as written (paths may tell case apart).
QByteArray ImportServerText(QByteArrayView server);

// The entries of a whole file, lines ended by CR, LF or CR LF, in file
// order. *pSkipped: the non-empty lines that do not fit.
QList<CWhoisImportEntry> ParseWhoisImport(QByteArrayView text, int* pSkipped = nullptr);

// Adds or updates one row per entry, in order: an existing TLD (letter case
// ignored) only takes the new server and keeps its stored text.
CWhoisImportCount ImportWhoisServers(CTLDTable& table, const QList<CWhoisImportEntry>& entries);
