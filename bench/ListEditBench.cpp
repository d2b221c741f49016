// The list editing commands on the largest list, 65535 names, without any
// painting: deleting, marking, finding; and the Domain Pad at the same
// size: copying names into it, writing and reading dpad.dp.
#include "model/DomainDelete.h"
#include "model/DomainDoc.h"
#include "model/DomainFind.h"
#include "model/DomainMarks.h"
#include "model/DomainPadFile.h"
#include "model/DomainPadList.h"
#include "model/TLDTable.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kCount = CDomainDoc::kMaxFileRecords;

QByteArray NameOf(int i)
{
    return "name" + QByteArray::number((i * 7919) % 1000003).rightJustified(7, '0') + ".com";
}

// A full list: every other name marked, every third one free. The last
// name is the only one that begins with "zz".
std::unique_ptr<CDomainDoc> FullList()
{
    if (g_tldTable.GetSize() == 0)
        BuildDefaultTLDTable();
    auto doc = std::make_unique<CDomainDoc>();
    doc->m_nMaxEntries = kCount;
    for (int i = 0; i < kCount - 1; ++i)
        doc->AddDomain(NameOf(i));
    doc->AddDomain("zzlast-name.com");
    for (int i = 0; i < doc->GetCount(); ++i) {
        doc->GetAt(i)->m_bSelected = uint8_t(i % 2);
        doc->GetAt(i)->m_nStatus = i % 3 == 0 ? STATUS_AVAILABLE : STATUS_TAKEN;
    }
    return doc;
}

// Runs edit on a fresh full list per iteration; only the edit is timed.
template <class Edit>
void OnFreshList(benchmark::State& state, Edit edit)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CDomainDoc> doc = FullList();
        state.ResumeTiming();
        edit(*doc);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}

void BM_DeleteAll(benchmark::State& state)
{
    OnFreshList(state, [](CDomainDoc& doc) { benchmark::DoNotOptimize(DeleteDomains(doc, DeleteKind::All)); });
}

void BM_DeleteSelected(benchmark::State& state)
{
    OnFreshList(state, [](CDomainDoc& doc) { benchmark::DoNotOptimize(DeleteDomains(doc, DeleteKind::Selected)); });
}

void BM_InvertSelection(benchmark::State& state)
{
    const std::unique_ptr<CDomainDoc> doc = FullList();
    for (auto _ : state)
        InvertSelection(*doc);
}

void BM_SelectFree(benchmark::State& state)
{
    const std::unique_ptr<CDomainDoc> doc = FullList();
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectFree(*doc));
}

// The worst case: no whole match, and the only prefix match in the last row.
void BM_FindPrefixAtLastRow(benchmark::State& state)
{
    const std::unique_ptr<CDomainDoc> doc = FullList();
    for (auto _ : state) {
        const int row = FindEntry(*doc, "ZZLAST");
        if (row != kCount - 1)
            state.SkipWithError("the last row was not found");
        benchmark::DoNotOptimize(row);
    }
}

QByteArrayList PadNames()
{
    QByteArrayList names;
    for (int i = 0; i < kCount; ++i)
        names << NameOf(i);
    return names;
}

void BM_CopyNamesToPad(benchmark::State& state)
{
    const QByteArrayList names = PadNames();
    for (auto _ : state) {
        state.PauseTiming();
        auto pad = std::make_unique<CDomainPadList>();
        state.ResumeTiming();
        for (const QByteArray& name : names)
            pad->InsertName(name);
        pad->UpdateItemCount();
        state.PauseTiming();
        if (pad->GetSize() != kCount)
            state.SkipWithError("names were lost");
        pad.reset();
        state.ResumeTiming();
    }
}

void BM_WritePadFile(benchmark::State& state)
{
    CDomainPadList pad;
    pad.SetNames(PadNames());
    for (auto _ : state) {
        if (!SaveDomainPad(pad, GetDomainPadPath()))
            state.SkipWithError("dpad.dp could not be written");
    }
}

void BM_ReadPadFile(benchmark::State& state)
{
    CDomainPadList written;
    written.SetNames(PadNames());
    if (!SaveDomainPad(written, GetDomainPadPath()))
        state.SkipWithError("dpad.dp could not be written");
    for (auto _ : state) {
        CDomainPadList pad;
        if (LoadDomainPad(pad, GetDomainPadPath()).HasMessage() || pad.GetSize() != kCount)
            state.SkipWithError("dpad.dp did not read back");
    }
}

}

BENCHMARK(BM_DeleteAll)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_DeleteSelected)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectFree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindPrefixAtLastRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyNamesToPad)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_WritePadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPadFile)->Unit(benchmark::kMillisecond);
