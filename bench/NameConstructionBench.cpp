#include "model/TLDTable.h"
#include "names/NameConstructor.h"
#include "names/WordLists.h"

#include <benchmark/benchmark.h>

// The largest everyday construction: the Business lists with dashes and both
// sides padded, every one of the twelve default TLDs ticked.
static void BM_ConstructBusinessNames(benchmark::State& state)
{
    QByteArray start = GetBuiltInWordList(1, kStartWordList);
    QByteArray end = GetBuiltInWordList(1, kEndWordList);
    NormalizeWordList(start);
    NormalizeWordList(end);
    BuildDefaultTLDTable();
    for (const auto& row : g_tldTable.m_rows)
        row->m_bSelected = 1;

    CConstructOptions options;
    options.m_bUseDash = true;
    options.m_bNoBothAppend = false;

    qsizetype count = 0;
    for (auto _ : state) {
        const CNameConstructor constructor("shop", start, end, options);
        const QByteArrayList names = constructor.BuildNames();
        count = names.size();
        benchmark::DoNotOptimize(names.constData());
    }
    state.counters["names"] = double(count);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ConstructBusinessNames)->Unit(benchmark::kMillisecond);
