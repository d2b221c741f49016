#include "cli/TldEdits.h"

#include "cli/CliError.h"
#include "model/TLDFacts.h"
#include "model/TLDTable.h"
#include "names/WhoisImport.h"

#include <QFile>

#include <cstdio>

namespace {

void Print(const QByteArray& text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
}

void Save()
{
    const CResult saved = SaveTLDTable();
    if (!saved)
        throw CCliError{saved.Message()};
}

QByteArray WithoutDot(const QByteArray& tld)
{
    return tld.startsWith('.') ? tld.mid(1) : tld;
}

}

int ImportTLDFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CCliError{QStringLiteral("could not read %1: %2").arg(path, file.errorString())};
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CCliError{QStringLiteral("could not read %1: %2").arg(path, file.errorString())};
    int skipped = 0;
    const CWhoisImportCount count = ImportWhoisServers(g_tldTable, ParseWhoisImport(text, &skipped));
    Save();
    Print(QByteArray::number(count.m_nAdded) + " added, " + QByteArray::number(count.m_nUpdated) + " updated, "
          + QByteArray::number(count.m_nUnchanged) + " unchanged, " + QByteArray::number(skipped)
          + " lines skipped\n");
    return 0;
}

int DeleteTLD(const QByteArray& tld)
{
    const QByteArray text = WithoutDot(tld);
    int deleted = 0;
    while (const CTLDInfo* row = g_tldTable.FindRow(text)) {
        g_tldTable.RemoveAt(g_tldTable.IndexOf(row));
        ++deleted;
    }
    if (deleted == 0)
        throw CCliError{QStringLiteral("the TLD table has no %1").arg(QString::fromLatin1(text))};
    Save();
    Print("deleted " + QByteArray::number(deleted) + (deleted == 1 ? " row\n" : " rows\n"));
    return 0;
}

int PrintTLDInfo(const QByteArray& tld)
{
    const QByteArray text = WithoutDot(tld);
    const CTLDFact* fact = CTLDFacts::Shipped().FindOrLastLabel(text);
    const CTLDInfo* row = g_tldTable.FindRow(text);
    if (!fact && !row)
        throw CCliError{QStringLiteral("neither the shipped TLD list nor the TLD table knows %1")
                            .arg(QString::fromLatin1(text))};
    QByteArray out;
    if (fact) {
        if (!EqualsNoCase(fact->m_strTLD, text))
            out += "shipped:  nothing for " + text + "; what is known of " + fact->m_strTLD + ":\n";
        out += "tld:      " + fact->m_strTLD + '\n';
        out += "kind:     " + TLDKindText(fact->m_kind) + '\n';
        out += "whois:    " + (fact->HasWhoisServer() ? fact->m_strWhoisServer : QByteArray("(none)")) + '\n';
        for (const QByteArray& url : fact->m_arrRdapURLs)
            out += "rdap:     " + url + '\n';
        if (!fact->m_arrSampleNames.isEmpty())
            out += "samples:  " + fact->m_arrSampleNames.join(' ') + '\n';
    } else {
        out += "shipped:  nothing for " + text + '\n';
    }
    if (row)
        out += "table:    " + row->m_strTLD + '\t' + row->m_strServer + '\n';
    else
        out += "table:    (no row)\n";
    Print(out);
    return 0;
}
