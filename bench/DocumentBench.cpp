// The document at its largest: 65535 names of about 15 characters with
// answers of about 1.5 KB. Adding, each sort order, saving and loading
// (which classifies every answer again), and what idle records cost.
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"
#include "verdict/WhoisAnswer.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <numeric>
#include <random>

namespace {

constexpr int kCount = CDomainDoc::kMaxFileRecords;

QByteArray NameOf(int i)
{
    // About 15 characters, in no particular order.
    return "name" + QByteArray::number((i * 7919) % 1000003).rightJustified(7, '0') + ".com";
}

QByteArray AnswerOf(int i)
{
    // Taken and free as the registry of .com words them.
    QByteArray text = i % 3 ? "Domain Name: " + NameOf(i).toUpper() + "\r\n" : "No match for \"" + NameOf(i).toUpper() + "\".\r\n";
    while (text.size() < 1500)
        text += "   Some registry line with data that fills an answer\r\n";
    if (i % 3)
        text += "Registrar: Example\r\n";
    return text;
}

// Fills doc with kCount records; the names are added in the order of order
// when it is given.
void Fill(CDomainDoc& doc, bool withAnswers, const std::vector<int>* order = nullptr)
{
    std::mt19937 rng(42);
    for (int i = 0; i < kCount; ++i) {
        doc.AddDomain(NameOf(order ? (*order)[size_t(i)] : i));
        CDomainInfo& r = *doc.GetAt(i);
        if (withAnswers) {
            r.m_strWhois = AnswerOf(i);
            r.m_nStatus = uint8_t(rng() % 9);
            r.m_bSelected = uint8_t(rng() % 2);
            if (rng() % 4) {
                r.m_dtChecked.m_status = COleDateTime::valid;
                r.m_dtChecked.m_dt = 46000.0 + double(rng() % 100000) / 1000.0;
            }
            if (r.m_nStatus == STATUS_TAKEN)
                r.m_strDNS = rng() % 2 ? QByteArray("Error") : QByteArray("192.0.2.1");
        }
    }
}

void Setup()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    BuildDefaultTLDTable();
}

void BM_AddDomains(benchmark::State& state)
{
    Setup();
    std::vector<QByteArray> names;
    for (int i = 0; i < kCount; ++i)
        names.push_back(NameOf(i));
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CDomainDoc>();
        doc->m_nMaxEntries = kCount;
        state.ResumeTiming();
        for (const QByteArray& n : names)
            doc->AddDomain(n);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddDomains)->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State& state)
{
    Setup();
    std::vector<int> order(kCount);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    const int kind = int(state.range(0));
    for (auto _ : state) {
        // Start from the same shuffled list every time.
        state.PauseTiming();
        auto doc = std::make_unique<CDomainDoc>();
        doc->m_nMaxEntries = kCount;
        Fill(*doc, true, &order);
        state.ResumeTiming();
        doc->SortDomains(kind);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Sort)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoad(benchmark::State& state)
{
    Setup();
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/big.qzn");
    CDomainDoc doc;
    doc.m_nMaxEntries = kCount;
    Fill(doc, true);
    const bool load = state.range(0) == 1;
    (void)doc.OnSaveDocument(path);
    CDomainDoc loaded;
    for (auto _ : state) {
        if (load)
            (void)loaded.OnOpenDocument(path);
        else
            (void)doc.OnSaveDocument(path);
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
    state.SetLabel(load ? "load + classify" : "save");
}
BENCHMARK(BM_SaveAndLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Loading classifies every record again: with the bundled rule pack, and
// with an empty one, which leaves only the cost of reading. Every record
// must come out as its answer says (taken or free) with the pack.
void BM_LoadClassifiesEveryRecord(benchmark::State& state)
{
    Setup();
    const bool empty = state.range(0) == 1;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/big.qzn");
    {
        CDomainDoc doc;
        doc.m_nMaxEntries = kCount;
        Fill(doc, true);
        (void)doc.OnSaveDocument(path);
    }
    if (empty) {
        std::vector<CRuleFile> files;
        files.push_back(CRuleFile::Parse("", QStringLiteral("empty.rules")));
        QString error;
        CRuleStore::Install(CRulePack::Build(std::move(files), &error));
    }
    CDomainDoc loaded;
    for (auto _ : state) {
        if (!loaded.OnOpenDocument(path))
            state.SkipWithError("the document did not load");
    }
    int agree = 0;
    for (int i = 0; i < loaded.GetCount(); ++i)
        agree += loaded.GetAt(i)->m_nStatus == (i % 3 ? STATUS_TAKEN : STATUS_AVAILABLE) ? 1 : 0;
    CRuleStore::Install(nullptr);
    state.counters["records"] = loaded.GetCount();
    state.counters["as_answered"] = agree;
    if (loaded.GetCount() != kCount || (!empty && agree != kCount))
        state.SkipWithError("not every record was classified as its answer says");
    state.SetLabel(empty ? "empty rule pack" : "bundled rule pack");
}
BENCHMARK(BM_LoadClassifiesEveryRecord)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_IdleRecordMemory(benchmark::State& state)
{
    Setup();
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        auto doc = std::make_unique<CDomainDoc>();
        doc->m_nMaxEntries = kCount;
        Fill(*doc, false);
        const size_t after = mallinfo2().uordblks;
        state.counters["idle_records_MB"] = double(after - before) / 1e6;
        state.counters["bytes_per_record"] = double(after - before) / kCount;
    }
}
BENCHMARK(BM_IdleRecordMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}
