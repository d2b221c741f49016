#include "RuleTestSupport.h"
#include "TestSupport.h"
#include "net/DnsClient.h"
#include "net/DnsServer.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpSocket>

#include <chrono>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;
using Outcome = CDnsResult::Outcome;

// A loopback server program, started with the arguments; it prints its port
// as the first line.
class Program
{
public:
    Program(const char* path, const QStringList& arguments)
    {
        m_process.start(QString::fromLocal8Bit(path), arguments);
        if (m_process.waitForStarted(10000) && ProcessEventsUntil([&] { return m_process.canReadLine(); }, 20000))
            m_nPort = m_process.readLine().trimmed().toInt();
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    int Port() const { return m_nPort; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(m_nPort); }
    QString Errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

    // Sends SIGTERM; the exit code, or -1 when it did not end normally.
    int Terminate()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }

private:
    QProcess m_process;
    int m_nPort = 0;
};

// Runs a program that must refuse its arguments; its exit code.
int RefusedExitCode(const char* path, const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromLocal8Bit(path), arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

CDnsResult Ask(const Program& program, const QByteArray& name, DnsType type)
{
    CDnsServer server;
    QString error;
    EXPECT_TRUE(CDnsServer::Parse(QByteArray::fromStdString(program.Address()), &server, &error));
    CDnsClient client;
    return client.Query(name, type, server, Clock::now() + 5s);
}

// One whois query over a fresh connection: everything the server sent.
QByteArray Whois(const Program& program, const QByteArray& request)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(program.Port()));
    if (!socket.waitForConnected(5000))
        return "(no connection)";
    socket.write(request);
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        answer += socket.readAll();
    return answer + socket.readAll();
}

} // namespace

TEST(LoopbackPrograms, DnsServerAnswersFreeAndTakenNamesUntilTerminated)
{
    Program program(TELVARO_DNS_SERVER_PATH, {});
    ASSERT_GT(program.Port(), 0) << program.Errors().toStdString();

    const CDnsResult ns = Ask(program, "taken.example", DnsType::NS);
    EXPECT_EQ(ns.m_eOutcome, Outcome::Answer) << ns.m_strText.toStdString();
    EXPECT_EQ(ns.m_nameServers, (QByteArrayList{"ns1.example.net", "ns2.example.net"}));
    EXPECT_EQ(Ask(program, "taken.example", DnsType::A).m_addresses, QByteArrayList{"192.0.2.1"});
    EXPECT_EQ(Ask(program, "FREEname.example", DnsType::NS).m_eOutcome, Outcome::NxDomain);
    EXPECT_EQ(program.Terminate(), 0);
}

TEST(LoopbackPrograms, DnsServerPlaysTheChosenMisbehaviourAndDelay)
{
    Program truncating(TELVARO_DNS_SERVER_PATH, {QStringLiteral("--behaviour"), QStringLiteral("truncate"),
                                                 QStringLiteral("--delay"), QStringLiteral("300")});
    ASSERT_GT(truncating.Port(), 0) << truncating.Errors().toStdString();
    const auto start = Clock::now();
    const CDnsResult viaTcp = Ask(truncating, "taken.example", DnsType::A);
    EXPECT_EQ(viaTcp.m_eOutcome, Outcome::Answer) << viaTcp.m_strText.toStdString();
    EXPECT_TRUE(viaTcp.m_bTcp);
    EXPECT_EQ(viaTcp.m_addresses, QByteArrayList{"192.0.2.1"});
    EXPECT_GE(Clock::now() - start, 600ms) << "the delay holds over UDP and again over TCP";
    EXPECT_EQ(Ask(truncating, "free.example", DnsType::A).m_eOutcome, Outcome::NxDomain)
        << "the name still picks the answer";

    Program failing(TELVARO_DNS_SERVER_PATH, {QStringLiteral("--behaviour"), QStringLiteral("servfail")});
    ASSERT_GT(failing.Port(), 0);
    EXPECT_EQ(Ask(failing, "taken.example", DnsType::NS).m_eOutcome, Outcome::ServFail);

    EXPECT_EQ(RefusedExitCode(TELVARO_DNS_SERVER_PATH, {QStringLiteral("--behaviour"), QStringLiteral("lie")}), 2);
    EXPECT_EQ(RefusedExitCode(TELVARO_DNS_SERVER_PATH, {QStringLiteral("--delay"), QStringLiteral("-5")}), 2);
    EXPECT_EQ(RefusedExitCode(TELVARO_DNS_SERVER_PATH, {QStringLiteral("--port")}), 2);
}

TEST(LoopbackPrograms, WhoisServerLiesAfterTheFirstAnswers)
{
    Program program(TELVARO_WHOIS_SERVER_PATH, {QStringLiteral("--lie-after"), QStringLiteral("1"),
                                                QStringLiteral("--lie-text"), QStringLiteral("NOT FOUND %s")});
    ASSERT_GT(program.Port(), 0) << program.Errors().toStdString();
    EXPECT_TRUE(Whois(program, "taken.example\r\n").contains("Domain Name: taken.example\r\n"));
    EXPECT_EQ(Whois(program, "taken.example\r\n"), "NOT FOUND taken.example\r\n");
    EXPECT_EQ(program.Terminate(), 0);

    Program plain(TELVARO_WHOIS_SERVER_PATH, {QStringLiteral("--lie-after"), QStringLiteral("0")});
    ASSERT_GT(plain.Port(), 0);
    EXPECT_EQ(Whois(plain, "taken.example\r\n"), "No match for \"taken.example\".\r\n");

    EXPECT_EQ(RefusedExitCode(TELVARO_WHOIS_SERVER_PATH, {QStringLiteral("--lie-text"), QStringLiteral("x")}), 2);
    EXPECT_EQ(RefusedExitCode(TELVARO_WHOIS_SERVER_PATH, {QStringLiteral("--lie-after"), QStringLiteral("+1")}), 2);
}

TEST(LoopbackPrograms, WhoisServerRateLimitIsReadAsARateLimit)
{
    Program program(TELVARO_WHOIS_SERVER_PATH, {QStringLiteral("--rate-limit"), QStringLiteral("1")});
    ASSERT_GT(program.Port(), 0) << program.Errors().toStdString();
    EXPECT_TRUE(Whois(program, "taken.example\r\n").contains("Domain Name: taken.example\r\n"));
    const QByteArray limited = Whois(program, "free-one.example\r\n");
    const CVerdict verdict = Classify(*PackWith(), "127.0.0.1", "free-one.example", limited);
    EXPECT_EQ(verdict.m_nKind, VerdictKind::RateLimited) << limited.constData();
    EXPECT_EQ(program.Terminate(), 0);

    EXPECT_EQ(RefusedExitCode(TELVARO_WHOIS_SERVER_PATH, {QStringLiteral("--rate-limit"), QStringLiteral("-1")}), 2);
}
