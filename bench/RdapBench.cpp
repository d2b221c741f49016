// 2000 RDAP lookups over HTTPS against the loopback RDAP server program, 40
// in flight: answering at once and after 50 ms. Reports the time against
// the floor the delay allows, the connections the server accepted (reuse),
// and what 40 lookups in flight add to the resident memory.
// bench/rdap_server_curl.sh does the same requests with curl.
#include "BenchSupport.h"
#include "lookup/Lookup.h"
#include "lookup/RdapLookup.h"
#include "model/DomainInfo.h"
#include "model/TLDTable.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <unistd.h>

namespace {

constexpr int kLookups = 2000;
constexpr int kInFlight = 40;

QByteArray NameOf(int i)
{
    // Every other name is free, as the server program answers by the name.
    return (i % 2 ? "free" : "name") + QByteArray::number(i).rightJustified(6, '0') + ".com";
}

double ResidentMB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(::sysconf(_SC_PAGESIZE)) / 1e6 : 0;
}

// The server program over HTTPS with a certificate of its own making, which
// this process then trusts alone.
class CServerProgram
{
public:
    explicit CServerProgram(int delayMs)
    {
        m_process.start(QStringLiteral(TELVARO_RDAP_SERVER_PATH),
                        {QStringLiteral("--make-cert"), m_dir.path(), QStringLiteral("--delay"), QString::number(delayMs)});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (m_ports.size() < 2 && std::chrono::steady_clock::now() < deadline)
            if (m_process.waitForReadyRead(100))
                while (m_process.canReadLine())
                    m_ports.push_back(m_process.readLine().trimmed().toInt());
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setCaCertificates(QSslCertificate::fromPath(m_dir.path() + QStringLiteral("/cert.pem")));
        QSslConfiguration::setDefaultConfiguration(ssl);
    }
    ~CServerProgram() { Stop(); }

    bool IsListening() const { return m_ports.size() == 2; }
    QByteArray HttpsBase() const { return "https://127.0.0.1:" + QByteArray::number(m_ports.value(1)) + "/"; }
    // Ends the server; its last line: "connections N requests M".
    QByteArray Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return {};
        m_process.terminate();
        m_process.waitForFinished(10000);
        const QList<QByteArray> lines = m_process.readAll().trimmed().split('\n');
        return lines.isEmpty() ? QByteArray() : lines.back();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QList<int> m_ports;
};

// Keeps kInFlight lookups going until every record had its turn, noting the
// resident memory at every completion.
class CDriver : public QObject
{
public:
    explicit CDriver(std::vector<CDomainInfo>& records) : m_records(records) {}

    void Run()
    {
        while (m_nStarted < kInFlight)
            StartNext();
        RunEventsUntil([this] { return m_nDone >= int(m_records.size()); }, std::chrono::seconds(120));
    }
    double m_peakMB = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != CLookupDoneEvent::kType)
            return QObject::event(e);
        ++m_nDone;
        m_peakMB = std::max(m_peakMB, ResidentMB());
        if (m_nStarted < int(m_records.size()))
            StartNext();
        return true;
    }

private:
    void StartNext()
    {
        CDomainInfo& record = m_records[size_t(m_nStarted)];
        record.m_pNotifyWnd = this;
        CLookupOptions options;
        options.m_nTimeoutSeconds = 30;
        if (!CRdapLookup::Start(record, record.m_strName, options))
            ++m_nDone;
        ++m_nStarted;
    }

    std::vector<CDomainInfo>& m_records;
    int m_nStarted = 0;
    int m_nDone = 0;
};

void BM_RdapLookups(benchmark::State& state)
{
    const int delayMs = int(state.range(0));
    CServerProgram server(delayMs);
    if (!server.IsListening()) {
        state.SkipWithError("the RDAP server program did not start");
        return;
    }
    g_tldTable.RemoveAll();
    g_tldTable.Add(std::make_unique<CTLDInfo>("COM", server.HttpsBase()));
    std::vector<CDomainInfo> records(kLookups);
    for (int i = 0; i < kLookups; ++i)
        records[size_t(i)].m_strName = NameOf(i);

    double seconds = 0;
    const double beforeMB = ResidentMB();
    CDriver driver(records);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        driver.Run();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    int wrong = 0;
    for (int i = 0; i < kLookups; ++i)
        wrong += records[size_t(i)].m_nStatus != (i % 2 ? STATUS_AVAILABLE : STATUS_TAKEN) ? 1 : 0;
    const QList<QByteArray> served = server.Stop().split(' ');
    g_tldTable.RemoveAll();

    const double floor = double(kLookups) / kInFlight * delayMs / 1000.0;
    state.counters["seconds"] = seconds;
    if (delayMs > 0) {
        state.counters["floor_s"] = floor;
        state.counters["x_floor"] = seconds / floor;
    }
    state.counters["wrong"] = wrong;
    state.counters["connections"] = served.size() == 4 ? served[1].toDouble() : -1;
    state.counters["requests"] = served.size() == 4 ? served[3].toDouble() : -1;
    state.counters["rss_before_MB"] = beforeMB;
    state.counters["rss_added_MB"] = driver.m_peakMB - beforeMB;
    if (wrong > 0)
        state.SkipWithError("a lookup did not end with its name's verdict");
}
BENCHMARK(BM_RdapLookups)->Arg(0)->Arg(50)->ArgName("delay_ms")->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}
