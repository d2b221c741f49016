// How quickly "Stop" ends 40 lookups that are blocked waiting for answers.
#include "LoopbackWhoisServer.h"
#include "lookup/WhoisConnection.h"
#include "model/DomainInfo.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"


#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void BM_StopFortyBlockedLookups(benchmark::State& state)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::NeverClose("partial"));
    g_tldTable.RemoveAll();
    g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(server.Address())));
    CResolveResult resolved = CHostResolver::Resolve("127.0.0.1", server.Port());
    g_tldTable.GetAt(0)->m_pHostEnt->Set(resolved.m_pEntry);

    double worstMs = 0;
    size_t requests = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<CDomainInfo>> records;
        std::vector<std::shared_ptr<CLookupHandle>> conns;
        for (int i = 0; i < 40; ++i) {
            records.push_back(std::make_unique<CDomainInfo>());
            CWhoisConnection::Start(*records.back(), "n" + QByteArray::number(i) + ".com", CLookupOptions());
            conns.push_back(records.back()->m_pConn);
        }
        requests += 40;
        server.WaitForRequests(requests, std::chrono::seconds(30));
        state.ResumeTiming();

        const auto start = std::chrono::steady_clock::now();
        for (const auto& c : conns)
            c->Cancel();
        const auto deadline = start + std::chrono::seconds(10);
        for (const auto& c : conns)
            c->WaitUntilFinished(deadline);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        worstMs = std::max(worstMs, ms);

        state.PauseTiming();
        CMainThreadQueue::WaitForThreads(std::chrono::seconds(10));
        CMainThreadQueue::RunPending();
        records.clear();
        state.ResumeTiming();
    }
    state.counters["worst_ms"] = worstMs;
    g_tldTable.RemoveAll();
}
BENCHMARK(BM_StopFortyBlockedLookups)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}
