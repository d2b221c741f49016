// 2000 names over four whois servers that each answer at most 100 queries a
// second: how long "Lookup Selected" takes with per-server pacing and
// without, against the 5 s the limits allow, and that no name ends wrong.
#include "BenchSupport.h"
#include "LoopbackWhoisServer.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <memory>

namespace {

constexpr int kNames = 2000;
constexpr int kPerSecond = 100;
constexpr std::array<const char*, 4> kTLDs{"COM", "NET", "ORG", "BIZ"};
constexpr double kFloorSeconds = double(kNames) / (kTLDs.size() * kPerSecond);

// Every third name is free; the servers answer by the name alone.
bool IsFreeName(int i)
{
    return i % 3 == 0;
}

std::string RegistryAnswer(const std::string& name)
{
    if (name.rfind("free", 0) == 0)
        return "No match for \"" + name + "\".\r\n";
    return "Domain Name: " + name + "\r\nRegistrar: Example Registrar, Inc.\r\n";
}

struct CRun
{
    double m_seconds = 0;
    int m_nWrong = 0;       // any final status but the true one
    int m_nWronglyFree = 0;
    int m_nUnfinished = 0;
    std::size_t m_nQueries = 0;
};

CRun RunOnce(int serverConnections)
{
    CWhoisBehaviour behaviour;
    behaviour.m_answerFor = RegistryAnswer;
    std::vector<std::unique_ptr<CLoopbackWhoisServer>> servers;
    g_tldTable.RemoveAll();
    for (const char* tld : kTLDs) {
        servers.push_back(std::make_unique<CLoopbackWhoisServer>(behaviour));
        servers.back()->LimitRate(kPerSecond);
        g_tldTable.Add(std::make_unique<CTLDInfo>(tld, QByteArray::fromStdString(servers.back()->Address())));
    }
    CDomainDoc doc;
    doc.m_nMaxEntries = kNames;
    for (int i = 0; i < kNames; ++i) {
        const QByteArray name = (IsFreeName(i) ? "free" : "taken") + QByteArray::number(i) + '.'
            + QByteArray(kTLDs[size_t(i) % kTLDs.size()]).toLower();
        doc.AddDomain(name);
        doc.GetAt(i)->m_bSelected = 1;
    }
    // The default pacing and control names; enough connections for every
    // server's share, and no pause between fillings.
    CLookupOptions options;
    options.m_nServerConnections = serverConnections;
    options.m_nMaxConnections = int(kTLDs.size()) * CLookupOptions().m_nServerConnections;
    options.m_nIntervalMs = 0;
    CRun run;
    {
        CLookupScheduler scheduler(&doc, options);
        const auto start = std::chrono::steady_clock::now();
        scheduler.LookupSelected();
        RunEventsUntil([&] { return !scheduler.IsLookupRunning() && !scheduler.IsBusy(); }, std::chrono::seconds(120));
        run.m_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        scheduler.StopAll();
        scheduler.WaitUntilIdle(30000);
    }
    for (int i = 0; i < kNames; ++i) {
        const uint8_t status = doc.GetAt(i)->m_nStatus;
        const uint8_t truth = IsFreeName(i) ? STATUS_AVAILABLE : STATUS_TAKEN;
        run.m_nUnfinished += status != STATUS_AVAILABLE && status != STATUS_TAKEN ? 1 : 0;
        run.m_nWrong += status != truth ? 1 : 0;
        run.m_nWronglyFree += status == STATUS_AVAILABLE && truth != STATUS_AVAILABLE ? 1 : 0;
    }
    for (const auto& server : servers)
        run.m_nQueries += server->Requests().size();
    g_tldTable.RemoveAll();
    return run;
}

void Report(benchmark::State& state, int serverConnections)
{
    CRun run;
    for (auto _ : state)
        run = RunOnce(serverConnections);
    state.counters["seconds"] = run.m_seconds;
    state.counters["floor_s"] = kFloorSeconds;
    state.counters["x_floor"] = run.m_seconds / kFloorSeconds;
    state.counters["wrong"] = run.m_nWrong;
    state.counters["wrongly_free"] = run.m_nWronglyFree;
    state.counters["unfinished"] = run.m_nUnfinished;
    state.counters["queries"] = double(run.m_nQueries);
    // Paced, every name must end right; unpaced, a name refused after the
    // last step that could start anything stays Error (it is not retried),
    // which the counters show, but none may read free wrongly.
    if (run.m_nWronglyFree > 0 || (serverConnections > 0 && run.m_nWrong > 0))
        state.SkipWithError("a name ended without its true verdict");
}

void BM_RateLimitedServersPaced(benchmark::State& state)
{
    Report(state, CLookupOptions().m_nServerConnections);
}
BENCHMARK(BM_RateLimitedServersPaced)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_RateLimitedServersUnpaced(benchmark::State& state)
{
    Report(state, 0);
}
BENCHMARK(BM_RateLimitedServersUnpaced)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}
