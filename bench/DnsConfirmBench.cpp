// "Lookup Selected" of 2000 names, half of them free, against loopback whois
// and DNS servers: with and without the DNS check, and against a registry
// that lies for a while, where the run must still end with every name's
// true verdict.
#include "LoopbackDnsServer.h"
#include "LoopbackWhoisServer.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "net/DnsServer.h"
#include "net/HostResolver.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kNames = 2000;

bool IsFreeName(const std::string& name)
{
    return name.rfind("free", 0) == 0;
}

CWhoisBehaviour Registry()
{
    CWhoisBehaviour b;
    b.m_pause = std::chrono::milliseconds(0);
    b.m_answerFor = [](const std::string& name) {
        return IsFreeName(name) ? "No match for \"" + name + "\".\r\n"
                                : "Domain Name: " + name + "\r\nRegistrar: Example Registrar\r\n";
    };
    return b;
}

CDnsBehaviour Zone()
{
    CDnsBehaviour b;
    b.m_forName = [](const std::string& name) {
        if (IsFreeName(name))
            return CDnsBehaviour::NxDomain();
        CDnsBehaviour delegated = CDnsBehaviour::NameServers({"ns1.example.net", "ns2.example.net"});
        delegated.m_addresses = {"192.0.2.10"};
        return delegated;
    };
    return b;
}

struct CServers
{
    CServers()
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(whois.Address())));
        g_tldTable.GetAt(0)->m_pHostEnt->Set(CHostResolver::Resolve("127.0.0.1", whois.Port()).m_pEntry);
        QString error;
        CDnsServer::Parse(QByteArray::fromStdString(dns.Address()), &server, &error);
    }
    ~CServers() { g_tldTable.RemoveAll(); }

    CLoopbackWhoisServer whois{Registry()};
    CLoopbackDnsServer dns{Zone()};
    CDnsServer server;
};

void FillList(CDomainDoc& doc)
{
    doc.OnNewDocument();
    for (int i = 0; i < kNames; ++i) {
        doc.AddDomain((i % 2 ? "free" : "name") + QByteArray::number(i) + ".com");
        doc.GetAt(i)->m_bSelected = 1;
    }
}

CLookupOptions RunOptions(const CServers& servers, bool confirm)
{
    CLookupOptions options;
    options.m_nMaxConnections = 20;
    options.m_nServerConnections = 0;
    options.m_nIntervalMs = 0;
    options.m_nTimeoutSeconds = 10;
    options.m_bControlNames = false;
    options.m_bResolveNames = confirm;
    options.m_pDnsServer = std::make_shared<const CDnsServer>(servers.server);
    return options;
}

// Runs "Lookup Selected" to its end.
void RunToEnd(CDomainDoc& doc, const CLookupOptions& options)
{
    CLookupScheduler scheduler(&doc, options);
    scheduler.LookupSelected();
    while (scheduler.IsBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// How many names end with the verdict their registry would truly give.
int TrueVerdicts(const CDomainDoc& doc)
{
    int n = 0;
    for (const auto& r : doc.Records()) {
        const bool free = IsFreeName(r->m_strName.toStdString());
        n += r->m_nStatus == (free ? STATUS_AVAILABLE : STATUS_TAKEN) ? 1 : 0;
    }
    return n;
}

void BM_LookupSelected(benchmark::State& state)
{
    const bool confirm = state.range(0) != 0;
    CServers servers;
    int correct = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CDomainDoc doc;
        FillList(doc);
        state.ResumeTiming();
        RunToEnd(doc, RunOptions(servers, confirm));
        state.PauseTiming();
        correct = TrueVerdicts(doc);
        state.ResumeTiming();
    }
    state.counters["true_verdicts"] = correct;
    state.counters["names_per_s"] = benchmark::Counter(double(kNames) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LookupSelected)->ArgName("dns_check")->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// The registry answers truthfully 100 times, then calls the next 600 names
// free whatever they are, then tells the truth again. Control names catch
// the lie and DNS overrules it for delegated names.
void BM_LyingRegistry(benchmark::State& state)
{
    CServers servers;
    int correct = 0;
    int takenLeftFree = 0;
    int overruled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CDomainDoc doc;
        FillList(doc);
        servers.whois.LieAfter(100, "No match for \"%s\".\r\n", 600);
        CLookupOptions options = RunOptions(servers, true);
        options.m_bControlNames = true;
        options.m_controlNames = {"control.com"};
        state.ResumeTiming();
        RunToEnd(doc, options);
        state.PauseTiming();
        correct = TrueVerdicts(doc);
        takenLeftFree = 0;
        overruled = 0;
        for (const auto& r : doc.Records()) {
            takenLeftFree += !IsFreeName(r->m_strName.toStdString()) && r->m_nStatus == STATUS_AVAILABLE ? 1 : 0;
            overruled += r->m_strWhois.contains("DNS delegates it to") ? 1 : 0;
        }
        state.ResumeTiming();
    }
    state.counters["true_verdicts"] = correct;
    state.counters["taken_left_free"] = takenLeftFree;
    state.counters["dns_overruled"] = overruled;
}
BENCHMARK(BM_LyingRegistry)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}
