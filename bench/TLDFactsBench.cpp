#include "model/TLDFacts.h"
#include "model/TLDResources.h"

#include <benchmark/benchmark.h>

// Parsing the whole shipped snapshot, as the first lookup does once.
static void BM_ParseTLDSnapshot(benchmark::State& state)
{
    QByteArray text;
    QString error;
    if (!ReadTLDResource(kTLDSnapshotResource, &text, &error)) {
        state.SkipWithError(qUtf8Printable(error));
        return;
    }
    qsizetype rows = 0;
    for (auto _ : state) {
        const CTLDFacts facts = CTLDFacts::Parse(text);
        rows = facts.GetSize();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ParseTLDSnapshot)->Unit(benchmark::kMicrosecond);

// One lookup in the parsed snapshot, spelt as users and files spell TLDs.
static void BM_FindTLDFact(benchmark::State& state)
{
    const CTLDFacts& facts = CTLDFacts::Shipped();
    const QByteArrayView keys[] = {"com", ".NET", "Xn--P1ai", "museum", "nosuchtld", ".co.uk"};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(facts.Find(keys[i]));
        i = (i + 1) % std::size(keys);
    }
}
BENCHMARK(BM_FindTLDFact);
