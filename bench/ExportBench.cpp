// The exports at the document's largest: 65535 marked records with names of
// about 15 characters and answers of about 1.5 KB, two thirds of them taken
// (whose answers the full report cleans). Files go to $TELVARO_BENCH_DIR
// when set (a memory file system measures the writers, not the disk), else
// to a temporary folder.
#include "export/CsvExport.h"
#include "export/DatabaseExport.h"
#include "export/HtmlReport.h"
#include "export/JsonExport.h"
#include "export/TextExport.h"
#include "model/DomainDoc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kCount = CDomainDoc::kMaxFileRecords;

QByteArray NameOf(int i)
{
    return "name" + QByteArray::number((i * 7919) % 1000003).rightJustified(7, '0') + ".com";
}

// A registry answer as the worker stores it (a server's CR LF became
// CR CR LF): data lines, the update line where the full report cuts, then
// the legal notice.
QByteArray AnswerOf(int i, bool taken)
{
    const QByteArray name = NameOf(i).toUpper();
    QByteArray text;
    if (taken) {
        text = "   Domain Name: " + name + "\r\r\n   Registry Domain ID: " + QByteArray::number(1000000 + i)
            + "_DOMAIN_COM-VRSN\r\r\n"
              "   Registrar WHOIS Server: whois.example-registrar.com\r\r\n"
              "   Registrar URL: http://www.example-registrar.com\r\r\n"
              "   Updated Date: 2024-01-15T10:20:30Z\r\r\n"
              "   Creation Date: 2001-03-04T05:06:07Z\r\r\n"
              "   Registry Expiry Date: 2026-03-04T05:06:07Z\r\r\n"
              "   Registrar: Example Registrar & Sons, Inc.\r\r\n"
              "   Registrar IANA ID: 9999\r\r\n"
              "   Registrar Abuse Contact Email: <abuse@example-registrar.com>\r\r\n"
              "   Registrar Abuse Contact Phone: +1.5555550100\r\r\n"
              "   Domain Status: clientTransferProhibited https://icann.org/epp#clientTransferProhibited\r\r\n"
              "   Name Server: NS1.EXAMPLE-DNS.COM\r\r\n"
              "   Name Server: NS2.EXAMPLE-DNS.COM\r\r\n"
              "   DNSSEC: unsigned\r\r\n"
              "   URL of the ICANN Whois Inaccuracy Complaint Form: https://www.icann.org/wicf/\r\r\n";
    } else {
        text = "No match for \"" + name + "\".\r\r\n";
    }
    text += ">>> Last update of whois database: 2024-06-01T12:00:00Z <<<\r\r\n\r\r\n";
    while (text.size() < 1500)
        text += "NOTICE: The expiration date displayed in this record is the date the\r\r\n"
                "registrar's sponsorship of the domain name registration in the registry is\r\r\n";
    return text;
}

// The hardest case for the full report: nothing is cut, and the text is
// full of characters to escape.
QByteArray UncutAnswerOf(int i)
{
    QByteArray text = "Domain Name: " + NameOf(i).toUpper() + "\r\n";
    while (text.size() < 1500)
        text += "   Registrar: \"Example\" & <Sons>, with data that fills an answer\r\n\r\n";
    return text;
}

std::unique_ptr<CDomainDoc> MakeDoc(bool uncut)
{
    auto d = std::make_unique<CDomainDoc>();
    for (int i = 0; i < kCount; ++i) {
        auto r = std::make_unique<CDomainInfo>();
        const bool taken = uncut || i % 3 != 0;
        r->m_strName = NameOf(i);
        r->m_strWhois = uncut ? UncutAnswerOf(i) : AnswerOf(i, taken);
        r->m_nStatus = taken ? STATUS_TAKEN : STATUS_AVAILABLE;
        r->m_bSelected = 1;
        r->m_dtChecked.m_status = COleDateTime::valid;
        r->m_dtChecked.m_dt = 45000.0 + double(i) / 1000.0;
        d->AppendLoaded(std::move(r));
    }
    return d;
}

const CDomainDoc& Doc(bool uncut = false)
{
    static const std::unique_ptr<CDomainDoc> doc = MakeDoc(false);
    static const std::unique_ptr<CDomainDoc> uncutDoc = MakeDoc(true);
    return uncut ? *uncutDoc : *doc;
}

QString OutPath(const char* name)
{
    static QTemporaryDir dir(qEnvironmentVariableIsEmpty("TELVARO_BENCH_DIR")
                                 ? QDir::tempPath() + QStringLiteral("/telvaro-bench-XXXXXX")
                                 : qEnvironmentVariable("TELVARO_BENCH_DIR") + QStringLiteral("/telvaro-bench-XXXXXX"));
    return dir.path() + QLatin1Char('/') + QLatin1String(name);
}

void Check(benchmark::State& state, const CExportResult& result)
{
    if (!result.m_bOk || result.m_nCount != kCount)
        state.SkipWithError(qPrintable(result.m_strError));
}

void Report(benchmark::State& state, const QString& path)
{
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
}

// Arg 0: full report, 1: summary, 2: full report of answers that nothing
// is cut from.
void BM_HtmlReport(benchmark::State& state)
{
    const bool summary = state.range(0) == 1;
    const bool uncut = state.range(0) == 2;
    const QString path = OutPath("report.htm");
    const CDomainDoc& doc = Doc(uncut);
    for (auto _ : state)
        Check(state, WriteHtmlReport(doc, path, summary));
    state.SetLabel(summary ? "summary" : uncut ? "full, nothing cut" : "full");
    Report(state, path);
}
BENCHMARK(BM_HtmlReport)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_TextExport(benchmark::State& state)
{
    const QString path = OutPath("names.txt");
    const CDomainDoc& doc = Doc();
    for (auto _ : state)
        Check(state, WriteTextExport(doc, path, TextExportKind::NamesWithStatus));
    Report(state, path);
}
BENCHMARK(BM_TextExport)->Unit(benchmark::kMillisecond);

void BM_CsvExport(benchmark::State& state)
{
    const QString path = OutPath("names.csv");
    const CDomainDoc& doc = Doc();
    for (auto _ : state)
        Check(state, WriteCsvExport(doc, path));
    Report(state, path);
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

void BM_JsonExport(benchmark::State& state)
{
    const QString path = OutPath("names.json");
    const CDomainDoc& doc = Doc();
    for (auto _ : state)
        Check(state, WriteJsonExport(doc, path));
    Report(state, path);
}
BENCHMARK(BM_JsonExport)->Unit(benchmark::kMillisecond);

// Arg 0: into a new file each time; arg 1: again into the same file, every
// row found and rewritten.
void BM_DatabaseExport(benchmark::State& state)
{
    const bool rewrite = state.range(0) == 1;
    const QString path = OutPath(rewrite ? "rewrite.db" : "new.db");
    const CDomainDoc& doc = Doc();
    QFile::remove(path);
    if (rewrite)
        Check(state, ExportToDatabase(doc, path));
    for (auto _ : state) {
        if (!rewrite) {
            state.PauseTiming();
            QFile::remove(path);
            state.ResumeTiming();
        }
        Check(state, ExportToDatabase(doc, path));
    }
    state.SetLabel(rewrite ? "rewrite every row" : "new file");
    Report(state, path);
}
BENCHMARK(BM_DatabaseExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}
