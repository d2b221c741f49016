// The two ways names reach the list, at their everyday largest: the
// Construct dialog's Business lists with dashes, both sides padded and all
// twelve default TLDs ticked (about 35,000 candidates), and a pasted list of
// 3,000 bare names completed with the same twelve TLDs. Each is timed from
// the text to the filled document, the work done under the busy cursor.
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "names/AddCandidates.h"
#include "names/NameCandidates.h"
#include "names/NameConstructor.h"
#include "names/WordLists.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void TickEveryTLD()
{
    BuildDefaultTLDTable();
    for (const auto& row : g_tldTable.m_rows)
        row->m_bSelected = 1;
}

std::unique_ptr<CDomainDoc> RoomyDocument()
{
    auto doc = std::make_unique<CDomainDoc>();
    doc->m_nMaxEntries = CDomainDoc::kMaxFileRecords;
    return doc;
}

// Runs offer once per iteration on a fresh document; making and destroying
// the document is not timed.
template <class Offer>
void RunOnFreshDocuments(benchmark::State& state, Offer offer)
{
    CAddCount count;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = RoomyDocument();
        state.ResumeTiming();
        count = offer(*doc);
        benchmark::DoNotOptimize(doc->GetCount());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["added"] = double(count.m_nAdded);
}

}

static void BM_ConstructAndAddBusinessNames(benchmark::State& state)
{
    QByteArray start = GetBuiltInWordList(1, kStartWordList);
    QByteArray end = GetBuiltInWordList(1, kEndWordList);
    NormalizeWordList(start);
    NormalizeWordList(end);
    TickEveryTLD();
    CConstructOptions options;
    options.m_bUseDash = true;
    options.m_bNoBothAppend = false;

    qsizetype built = 0;
    RunOnFreshDocuments(state, [&](CDomainDoc& doc) {
        const CNameConstructor constructor("shop", start, end, options);
        const QByteArrayList names = constructor.BuildNames();
        built = names.size();
        return AddCandidates(doc, names);
    });
    state.counters["candidates"] = double(built);
}
BENCHMARK(BM_ConstructAndAddBusinessNames)->Unit(benchmark::kMillisecond);

static void BM_AddTypedNames(benchmark::State& state)
{
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "name" + QByteArray::number(i) + (i % 10 ? ", " : "\r\n");
    TickEveryTLD();

    RunOnFreshDocuments(state, [&](CDomainDoc& doc) { return AddCandidates(doc, BuildNameCandidates(text)); });
}
BENCHMARK(BM_AddTypedNames)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
