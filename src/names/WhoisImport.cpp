#include "names/WhoisImport.h"

#include "base/TextCompare.h"
#include "model/TLDTable.h"

namespace {

QByteArray AsciiUpper(QByteArrayView text)
{
    QByteArray upper(text.data(), text.size());
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return upper;
}

QByteArray AsciiLowerText(QByteArrayView text)
{
    QByteArray lower(text.data(), text.size());
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

// Length of "http://host:port" or "https://host:port" at the start of
// server, or 0 when it is no such URL.
qsizetype UrlAuthorityEnd(QByteArrayView server)
{
    qsizetype start = 0;
    for (QByteArrayView scheme : {QByteArrayView("http://"), QByteArrayView("https://")}) {
        if (server.size() >= scheme.size() && EqualsNoCase(server.first(scheme.size()), scheme))
            start = scheme.size();
    }
    if (start == 0)
        return 0;
    for (qsizetype i = start; i < server.size(); ++i) {
        if (server[i] == '/' || server[i] == '?' || server[i] == '#')
            return i;
    }
    return server.size();
}

}

QByteArray ImportServerText(QByteArrayView server)
{
    const qsizetype hostEnd = UrlAuthorityEnd(server);
    if (hostEnd == 0)
        return AsciiLowerText(server);
    return AsciiLowerText(server.first(hostEnd)) + server.sliced(hostEnd).toByteArray();
}

std::optional<CWhoisImportEntry> ParseWhoisImportLine(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return std::nullopt;
    const QByteArrayView tld = line.first(colon).trimmed();
    const QByteArrayView server = line.sliced(colon + 1).trimmed();
    if (tld.isEmpty() || server.isEmpty())
        return std::nullopt;
    return CWhoisImportEntry{AsciiUpper(tld), ImportServerText(server)};
}

QList<CWhoisImportEntry> ParseWhoisImport(QByteArrayView text, int* pSkipped)
{
    QList<CWhoisImportEntry> entries;
    int skipped = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const QByteArrayView line = text.sliced(start, end - start);
        if (!line.isEmpty()) {
            if (auto entry = ParseWhoisImportLine(line))
                entries.append(std::move(*entry));
            else
                ++skipped;
        }
        start = end + 1;
    }
    if (pSkipped)
        *pSkipped = skipped;
    return entries;
}

CWhoisImportCount ImportWhoisServers(CTLDTable& table, const QList<CWhoisImportEntry>& entries)
{
    CWhoisImportCount count;
    for (const CWhoisImportEntry& entry : entries) {
        const CTLDInfo* row = table.FindRow(entry.m_strTLD);
        if (!row)
            ++count.m_nAdded;
        else if (row->m_strServer == entry.m_strServer)
            ++count.m_nUnchanged;
        else
            ++count.m_nUpdated;
        table.AddOrUpdate(entry.m_strTLD, entry.m_strServer);
    }
    return count;
}
