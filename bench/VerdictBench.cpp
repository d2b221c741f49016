// Classifying a full document's answers, as loading does: 65535 answers of
// about 1.5 KB from a mix of servers, with today's keywords alone and with
// the rule pack. The difference is what the pack costs a record.
#include "verdict/WhoisAnswer.h"
#include "model/DomainInfo.h"
#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kCount = 65535;

QByteArray AnswerOf(int i)
{
    static const char* const kHosts[] = {"whois.verisign-grs.com", "whois.pir.org", "whois.nic.uk", "whois.denic.de",
                                         "whois.registry.example"};
    const QByteArray name = "name" + QByteArray::number((i * 7919) % 1000003).rightJustified(7, '0') + ".com";
    QByteArray text = "WHOIS server: " + QByteArray(kHosts[i % 5]) + ", Domain: " + name + "\r\n\r\n";
    if (i % 3) {
        text += "   Domain Name: " + name.toUpper() + "\r\n   Registry Domain ID: 2336799_DOMAIN_COM-VRSN\r\n"
                "   Registrar: Example Registrar, Inc.\r\n";
    } else {
        text += "No match for \"" + name.toUpper() + "\".\r\n";
    }
    while (text.size() < 1200)
        text += "   Some registry line with data that fills an answer\r\n";
    text += ">>> Last update of whois database: 2026-12-07T10:00:00Z <<<\r\n\r\n";
    while (text.size() < 1500)
        text += "NOTICE: the registrant and registrar of a name are shown above.\r\n";
    return text;
}

const std::vector<QByteArray>& Answers()
{
    static const std::vector<QByteArray> answers = [] {
        std::vector<QByteArray> v;
        for (int i = 0; i < kCount; ++i)
            v.push_back(AnswerOf(i));
        return v;
    }();
    return answers;
}

void BM_ClassifyWithKeywords(benchmark::State& state)
{
    const auto& answers = Answers();
    for (auto _ : state) {
        unsigned sum = 0;
        for (const QByteArray& a : answers)
            sum += ClassifyText(a, STATUS_UNKNOWN, STATUS_UNKNOWN);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ClassifyWithKeywords)->Unit(benchmark::kMillisecond);

void BM_ClassifyWithRulePack(benchmark::State& state)
{
    const auto& answers = Answers();
    const auto pack = CRuleStore::Current();
    for (auto _ : state) {
        unsigned sum = 0;
        for (const QByteArray& a : answers)
            sum += VerdictStatus(pack->Classify(a), STATUS_UNKNOWN, STATUS_UNKNOWN);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ClassifyWithRulePack)->Unit(benchmark::kMillisecond);

// Reading and compiling the bundled rules, as a reload does.
void BM_LoadRulePack(benchmark::State& state)
{
    for (auto _ : state) {
        QStringList messages;
        benchmark::DoNotOptimize(CRuleStore::Load(QString(), &messages));
    }
}
BENCHMARK(BM_LoadRulePack)->Unit(benchmark::kMillisecond);

}
