// The TLD table at the size the sample import gives it: importing the whole
// wholist.txt, and finding the row of each of 65535 names, against the old
// way (a scan of every row) for scale.
#include "model/TLDResources.h"
#include "model/TLDTable.h"
#include "names/WhoisImport.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray SampleWholist()
{
    QByteArray text;
    QString error;
    InitTLDResources();
    (void)ReadTLDResource(kSampleWholistResource, &text, &error);
    return text;
}

// The defaults, then every TLD of the sample, then made-up ones to rows.
void FillTable(qsizetype rows)
{
    BuildDefaultTLDTable();
    if (rows > g_tldTable.GetSize())
        ImportWhoisServers(g_tldTable, ParseWhoisImport(SampleWholist()));
    for (int i = 0; g_tldTable.GetSize() < rows; ++i)
        g_tldTable.Add(std::make_shared<CTLDInfo>("T" + QByteArray::number(i), "whois.example"));
    while (g_tldTable.GetSize() > rows)
        g_tldTable.RemoveAt(g_tldTable.GetSize() - 1);
}

// 65535 names spread over every TLD of the table, half of them written in
// another letter case than the row.
QByteArrayList NamesOverTable()
{
    QByteArrayList names;
    for (int i = 0; i < 65535; ++i) {
        QByteArray tld = g_tldTable.GetAt(i % g_tldTable.GetSize())->m_strTLD;
        names << "name" + QByteArray::number(i) + '.' + (i % 2 ? tld.toLower() : tld);
    }
    return names;
}

const CTLDInfo* ScanRows(QByteArrayView tld)
{
    for (const auto& row : g_tldTable.m_rows) {
        if (EqualsNoCase(row->m_strTLD, tld))
            return row.get();
    }
    return nullptr;
}

}

static void BM_ImportSampleWholist(benchmark::State& state)
{
    const QByteArray text = SampleWholist();
    CWhoisImportCount count;
    for (auto _ : state) {
        state.PauseTiming();
        BuildDefaultTLDTable();
        state.ResumeTiming();
        count = ImportWhoisServers(g_tldTable, ParseWhoisImport(text));
    }
    state.counters["lines"] = double(text.count('\n'));
    state.counters["added"] = double(count.m_nAdded);
    g_tldTable.RemoveAll();
}
BENCHMARK(BM_ImportSampleWholist)->Unit(benchmark::kMillisecond);

// Runs test on each of 65535 names over a table of state.range(0) rows,
// counting the time per name ("per_name"); it should not grow with the rows.
template <class Test>
void ForEachName(benchmark::State& state, Test test)
{
    FillTable(state.range(0));
    const QByteArrayList names = NamesOverTable();
    for (auto _ : state) {
        qsizetype hits = 0;
        for (const QByteArray& name : names)
            hits += test(name) ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
    state.counters["rows"] = double(g_tldTable.GetSize());
    state.counters["per_name"] = benchmark::Counter(double(names.size()), benchmark::Counter::kIsIterationInvariantRate
                                                                            | benchmark::Counter::kInvert);
    g_tldTable.RemoveAll();
}

// FindTLD of 65535 names, as starting their lookups does.
static void BM_FindTLD65535Names(benchmark::State& state)
{
    ForEachName(state, [](const QByteArray& name) { return FindTLD(name) != nullptr; });
}
BENCHMARK(BM_FindTLD65535Names)->Arg(12)->Arg(1400)->Unit(benchmark::kMillisecond);

// IsValidDomainName of the same names, as adding them to a list does.
static void BM_IsValidDomainName65535Names(benchmark::State& state)
{
    ForEachName(state, [](const QByteArray& name) { return IsValidDomainName(name); });
}
BENCHMARK(BM_IsValidDomainName65535Names)->Arg(12)->Arg(1400)->Unit(benchmark::kMillisecond);

// The same names found by scanning every row, as the table did before it
// had its index.
static void BM_ScanRows65535Names(benchmark::State& state)
{
    ForEachName(state, [](const QByteArray& name) {
        return ScanRows(QByteArrayView(name).sliced(name.indexOf('.') + 1)) != nullptr;
    });
}
BENCHMARK(BM_ScanRows65535Names)->Arg(12)->Arg(1400)->Unit(benchmark::kMillisecond);
