#include "LoopbackDnsServer.h"
#include "LoopbackPorts.h"
#include "net/DnsClient.h"
#include "net/DnsServer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <thread>
#include <utility>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;
using Outcome = CDnsResult::Outcome;
using Damage = CDnsBehaviour::Damage;

constexpr uint16_t kA = uint16_t(DnsType::A);
constexpr uint16_t kNS = uint16_t(DnsType::NS);

CDnsServer ServerAt(const std::string& address)
{
    CDnsServer server;
    QString error;
    EXPECT_TRUE(CDnsServer::Parse(QByteArray::fromStdString(address), &server, &error)) << error.toStdString();
    return server;
}

class DnsClientTest : public ::testing::Test
{
protected:
    CDnsResult Query(const QByteArray& name, DnsType type, Clock::duration limit = 5s)
    {
        CDnsClient client;
        return client.Query(name, type, ServerAt(m_server.Address()), Clock::now() + limit);
    }

    CLoopbackDnsServer m_server;
};

} // namespace

TEST_F(DnsClientTest, AnswersNameServersAndAddressesOfTheTypeAsked)
{
    CDnsBehaviour both = CDnsBehaviour::NameServers({"ns1.example.net", "NS2.Example.NET", "ns1.example.net"});
    both.m_addresses = {"192.0.2.10", "198.51.100.255"};
    m_server.SetBehaviour("taken.example", both);
    m_server.SetBehaviour("hosts.example", CDnsBehaviour::NameServers({"ns.hosts.example"}));

    const CDnsResult ns = Query("TAKEN.example.", DnsType::NS);
    EXPECT_EQ(ns.m_eOutcome, Outcome::Answer) << ns.m_strText.toStdString();
    EXPECT_EQ(ns.m_nameServers, (QByteArrayList{"ns1.example.net", "NS2.Example.NET"})) << "once each";
    EXPECT_TRUE(ns.m_addresses.isEmpty());
    EXPECT_FALSE(ns.m_bTcp);

    const CDnsResult a = Query("taken.example", DnsType::A);
    EXPECT_EQ(a.m_eOutcome, Outcome::Answer);
    EXPECT_EQ(a.m_addresses, (QByteArrayList{"192.0.2.10", "198.51.100.255"}));

    // The name exists but has no address: the answer carries only the zone's SOA.
    const CDnsResult none = Query("hosts.example", DnsType::A);
    EXPECT_EQ(none.m_eOutcome, Outcome::NoData);
    EXPECT_EQ(none.m_strText, QStringLiteral("DNS: no records of that type"));

    const std::vector<CDnsQueryRecord> expected{
        {"TAKEN.example", kNS, false}, {"taken.example", kA, false}, {"hosts.example", kA, false}};
    EXPECT_EQ(m_server.Queries(), expected);
}

TEST_F(DnsClientTest, FollowsACnameChainAndStopsAtALoop)
{
    m_server.SetBehaviour("www.example",
                          CDnsBehaviour::Alias({"edge.example.net", "node7.cdn.example"}, {"203.0.113.7"}));
    m_server.SetBehaviour("loop.example", CDnsBehaviour::Alias({"other.example", "loop.example"}, {}));

    const CDnsResult chained = Query("www.example", DnsType::A);
    EXPECT_EQ(chained.m_eOutcome, Outcome::Answer);
    EXPECT_EQ(chained.m_addresses, QByteArrayList{"203.0.113.7"});

    const CDnsResult loop = Query("loop.example", DnsType::A);
    EXPECT_EQ(loop.m_eOutcome, Outcome::NoData);
}

TEST_F(DnsClientTest, AReferralForTheNameItselfGivesItsNameServers)
{
    m_server.SetBehaviour("delegated.example",
                          CDnsBehaviour::Referral({"ns1.registrar.example", "ns2.registrar.example"}));

    const CDnsResult ns = Query("delegated.example", DnsType::NS);
    EXPECT_EQ(ns.m_eOutcome, Outcome::Answer);
    EXPECT_EQ(ns.m_nameServers, (QByteArrayList{"ns1.registrar.example", "ns2.registrar.example"}));
    // Asked for an address, the delegation still shows, but is no address.
    const CDnsResult a = Query("delegated.example", DnsType::A);
    EXPECT_EQ(a.m_eOutcome, Outcome::NoData);
    EXPECT_EQ(a.m_nameServers.size(), 2);
}

TEST_F(DnsClientTest, ErrorCodesBecomeTheirOutcomes)
{
    m_server.SetBehaviour("servfail.example", CDnsBehaviour::ServFail());
    m_server.SetBehaviour("refused.example", CDnsBehaviour::Refused());
    m_server.SetBehaviour("notimp.example", CDnsBehaviour::Rcode(4));

    const CDnsResult missing = Query("free.example", DnsType::NS);   // the server's default
    EXPECT_EQ(missing.m_eOutcome, Outcome::NxDomain);
    EXPECT_EQ(missing.m_strText, QStringLiteral("DNS: no such name (NXDOMAIN)"));
    EXPECT_EQ(Query("servfail.example", DnsType::NS).m_eOutcome, Outcome::ServFail);
    EXPECT_EQ(Query("refused.example", DnsType::A).m_eOutcome, Outcome::Refused);
    const CDnsResult other = Query("notimp.example", DnsType::A);
    EXPECT_EQ(other.m_eOutcome, Outcome::Failed);
    EXPECT_EQ(other.m_strText, QStringLiteral("DNS: server answered with error code 4"));
}

TEST_F(DnsClientTest, NoAnswerTimesOutAtTheDeadlineAfterSendingAgain)
{
    m_server.SetDefaultBehaviour(CDnsBehaviour::Drop());
    const auto start = Clock::now();
    const CDnsResult result = Query("silent.example", DnsType::NS, 900ms);
    const auto took = Clock::now() - start;
    EXPECT_EQ(result.m_eOutcome, Outcome::TimedOut);
    EXPECT_EQ(result.m_strText, QStringLiteral("DNS: timed out"));
    EXPECT_GE(took, 900ms);
    EXPECT_LT(took, 5s) << "gave up long after the deadline";
    EXPECT_TRUE(m_server.WaitForQueries(3, 5s));
    EXPECT_EQ(m_server.Queries().size(), 3u) << "one query and two retries";

    // A late answer to the first send still counts.
    m_server.SetDefaultBehaviour(CDnsBehaviour::Delay(700ms, CDnsBehaviour::Addresses({"192.0.2.1"})));
    EXPECT_EQ(Query("late.example", DnsType::A, 3s).m_eOutcome, Outcome::Answer);
}

TEST_F(DnsClientTest, AbortFromAnotherThreadEndsTheQueryAtOnce)
{
    m_server.SetBehaviour("silent.example", CDnsBehaviour::Drop());
    // Slow over TCP only, so the abort comes while the TCP answer is awaited.
    CDnsBehaviour slowTcp = CDnsBehaviour::Truncated(CDnsBehaviour::Addresses({"192.0.2.1"}));
    slowTcp.m_tcpDelay = 60s;
    m_server.SetBehaviour("slow.example", slowTcp);
    for (const auto& [name, nQueries] : {std::pair{"silent.example", 1u}, std::pair{"slow.example", 2u}}) {
        SCOPED_TRACE(name);
        CWhoisSocket lookupSocket;   // the lookup's own, as a worker would pass it
        CDnsClient client(lookupSocket);
        const CDnsServer server = ServerAt(m_server.Address());
        CDnsResult result;
        Clock::time_point returned;
        const std::size_t before = m_server.Queries().size();
        std::thread worker([&] {
            result = client.Query(name, DnsType::A, server, Clock::now() + 60s);
            returned = Clock::now();
        });
        const bool bWaiting = m_server.WaitForQueries(before + nQueries, 5s);
        const auto stopped = Clock::now();
        lookupSocket.Abort();
        worker.join();
        ASSERT_TRUE(bWaiting) << "the query never reached the server";
        EXPECT_EQ(result.m_eOutcome, Outcome::Aborted);
        EXPECT_EQ(result.m_strText, QStringLiteral("DNS: stopped"));
        // Generous for a loaded sanitizer run; a missed wake-up sits out a minute.
        EXPECT_LT(returned - stopped, 2s);
        // Stopped for good: the next query does not even start.
        EXPECT_EQ(client.Query(name, DnsType::A, server, Clock::now() + 60s).m_eOutcome, Outcome::Aborted);
    }
}

TEST_F(DnsClientTest, ATruncatedAnswerIsAskedAgainOverTcp)
{
    m_server.SetDefaultBehaviour(CDnsBehaviour::Truncated(CDnsBehaviour::NameServers({"ns1.example.net"})));
    const CDnsResult result = Query("big.example", DnsType::NS);
    EXPECT_EQ(result.m_eOutcome, Outcome::Answer);
    EXPECT_TRUE(result.m_bTcp);
    EXPECT_EQ(result.m_nameServers, QByteArrayList{"ns1.example.net"});
    const std::vector<CDnsQueryRecord> expected{{"big.example", kNS, false}, {"big.example", kNS, true}};
    EXPECT_EQ(m_server.Queries(), expected);
}

TEST_F(DnsClientTest, BrokenAnswersAreRejected)
{
    for (Damage damage : {Damage::WrongId, Damage::PointerPastEnd, Damage::PointerLoop, Damage::LengthPastEnd}) {
        SCOPED_TRACE(int(damage));
        m_server.SetDefaultBehaviour(CDnsBehaviour::Damaged(damage));
        const CDnsResult udp = Query("broken.example", DnsType::A, 400ms);
        EXPECT_EQ(udp.m_eOutcome, Outcome::Failed);
        EXPECT_TRUE(udp.m_strText.startsWith(QStringLiteral("DNS: no valid answer ("))) << udp.m_strText.toStdString();
        EXPECT_TRUE(udp.m_addresses.isEmpty());

        // Over TCP a broken answer is final at once. (A wrong id would
        // already make the truncated UDP answer a stray.)
        if (damage == Damage::WrongId)
            continue;
        m_server.SetDefaultBehaviour(CDnsBehaviour::Truncated(CDnsBehaviour::Damaged(damage)));
        const CDnsResult tcp = Query("broken.example", DnsType::A, 60s);
        EXPECT_EQ(tcp.m_eOutcome, Outcome::Failed);
        EXPECT_TRUE(tcp.m_strText.startsWith(QStringLiteral("DNS: TCP: broken answer: ")))
            << tcp.m_strText.toStdString();
    }
}

TEST_F(DnsClientTest, ClosedPortAndBadNamesFailWithTheirReason)
{
    // Bound for a moment to find a free port, then closed again.
    const int hFree = BoundLoopbackSocket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(hFree, 0);
    const uint16_t freePort = LocalPort(hFree);
    ::close(hFree);
    const CDnsServer closed = ServerAt("127.0.0.1:" + std::to_string(freePort));
    CDnsClient client;
    const CDnsResult refused = client.Query("any.example", DnsType::A, closed, Clock::now() + 5s);
    EXPECT_EQ(refused.m_eOutcome, Outcome::Failed);
    EXPECT_TRUE(refused.m_strText.contains(QStringLiteral("refused"))) << refused.m_strText.toStdString();

    for (const QByteArray& name : {QByteArray(), QByteArray("."), QByteArray("a..example"),
                                   QByteArray("sp ace.example"), QByteArray(64, 'x') + ".example",
                                   QByteArray("caf\xc3\xa9.example")}) {
        const CDnsResult bad = Query(name, DnsType::A);
        EXPECT_EQ(bad.m_eOutcome, Outcome::Failed) << name.toStdString();
        EXPECT_TRUE(bad.m_strText.startsWith(QStringLiteral("DNS: not a DNS name"))) << bad.m_strText.toStdString();
    }
    EXPECT_TRUE(m_server.Queries().empty());
}

namespace {

// A server played by the test itself, to send what no honest server would.
class FakeUdpServer
{
public:
    FakeUdpServer() : m_hSocket(BoundLoopbackSocket(AF_INET, SOCK_DGRAM, 0)) {}
    ~FakeUdpServer() { ::close(m_hSocket); }
    FakeUdpServer(const FakeUdpServer&) = delete;
    FakeUdpServer& operator=(const FakeUdpServer&) = delete;

    std::string Address() const { return "127.0.0.1:" + std::to_string(LocalPort(m_hSocket)); }

    // Waits for one query; false when none comes.
    bool Receive(std::string* query)
    {
        pollfd p{m_hSocket, POLLIN, 0};
        char buffer[512];
        m_nPeerLength = sizeof m_peer;
        if (::poll(&p, 1, 5000) != 1)
            return false;
        const ssize_t n = ::recvfrom(m_hSocket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&m_peer),
                                     &m_nPeerLength);
        if (n < 12)
            return false;
        query->assign(buffer, std::size_t(n));
        return true;
    }
    void Send(const std::string& bytes)
    {
        ::sendto(m_hSocket, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&m_peer), m_nPeerLength);
    }

private:
    int m_hSocket;
    sockaddr_storage m_peer{};
    socklen_t m_nPeerLength = 0;
};

// The answer to query with one A record 192.0.2.last owned by the
// question's name.
std::string AnswerWithAddress(std::string query, char last)
{
    query[2] = char(0x81);
    query[3] = char(0x80);
    query[7] = 1;
    return query + std::string("\xc0\x0c\x00\x01\x00\x01\x00\x00\x00\x3c\x00\x04\xc0\x00\x02", 15) + last;
}

} // namespace

TEST(DnsClientStrays, StrayAndBrokenDatagramsAreIgnoredUntilTheRealAnswer)
{
    FakeUdpServer fake;
    CDnsResult result;
    std::thread worker([&] {
        CDnsClient client;
        result = client.Query("real.example", DnsType::A, ServerAt(fake.Address()), Clock::now() + 10s);
    });
    std::string query;
    if (!fake.Receive(&query)) {
        worker.join();   // the client gives up at its deadline
        FAIL() << "no query arrived";
    }
    // Each stray carries an address of its own, so taking one shows.
    const std::string answer = AnswerWithAddress(query, 99);
    std::string otherId = AnswerWithAddress(query, 1);
    otherId[1] = char(otherId[1] ^ 0x5a);
    std::string otherName = AnswerWithAddress(query, 2);
    otherName[13] = 'x';   // "xeal.example"
    std::string otherType = AnswerWithAddress(query, 3);
    otherType[otherType.size() - 19] = 2;   // the question's type: NS
    fake.Send(otherId);
    fake.Send(otherName);
    fake.Send(otherType);
    fake.Send(query);                      // the query itself: not an answer
    fake.Send(answer.substr(0, 20));       // cut short
    fake.Send(std::string(3, '\0'));
    fake.Send(answer);
    worker.join();
    EXPECT_EQ(result.m_eOutcome, Outcome::Answer) << result.m_strText.toStdString();
    EXPECT_EQ(result.m_addresses, QByteArrayList{"192.0.2.99"});
}

TEST(DnsServerChoice, TheEnvironmentNamesAnAddressWithAnOptionalPort)
{
    const std::pair<const char*, const char*> good[] = {
        {"127.0.0.1:5353", "127.0.0.1:5353"}, {"192.0.2.1", "192.0.2.1:53"}, {" 10.0.0.1 ", "10.0.0.1:53"},
        {"[::1]:53", "[::1]:53"},             {"[::1]", "[::1]:53"},         {"::1", "[::1]:53"},
        {"[2001:db8::5]:8053", "[2001:db8::5]:8053"},
    };
    for (const auto& [text, shown] : good) {
        CDnsServer server;
        QString error;
        EXPECT_TRUE(CDnsServer::Pick(QByteArray(text), "nameserver 192.0.2.200\n", &server, &error)) << text;
        EXPECT_EQ(server.m_strText, QByteArray(shown));
    }
    for (const char* text :
         {"localhost", "1.2.3.4:99999", "1.2.3.4:0", "[::1", "[::1]x", "10", "1.2.3.4:53:1", "1.2.3.4 5"}) {
        CDnsServer server;
        QString error;
        EXPECT_FALSE(CDnsServer::Pick(QByteArray(text), "nameserver 192.0.2.200\n", &server, &error)) << text;
        EXPECT_TRUE(error.startsWith(QStringLiteral("TELVARO_DNS_SERVER: "))) << error.toStdString();
    }
}

TEST(DnsServerChoice, WithoutTheEnvironmentTheFirstUsableNameserverLineThenLoopback)
{
    const QByteArray resolvConf = "# nameserver 192.0.2.1\n"
                                  "; nameserver 192.0.2.2\n"
                                  "search example.com\n"
                                  "nameserver\n"
                                  "nameserver not-an-address\n"
                                  "nameserver 192.0.2.3:5353\n"
                                  "  nameserver\t2001:db8::53   # the one\r\n"
                                  "nameserver 192.0.2.4\n";
    for (const std::optional<QByteArray>& environment : {std::optional<QByteArray>(), std::optional<QByteArray>("")}) {
        CDnsServer server;
        QString error;
        ASSERT_TRUE(CDnsServer::Pick(environment, resolvConf, &server, &error));
        EXPECT_EQ(server.m_strText, QByteArray("[2001:db8::53]:53"));
        ASSERT_TRUE(CDnsServer::Pick(environment, "options ndots:1\nnameserver bogus\n", &server, &error));
        EXPECT_EQ(server.m_strText, QByteArray("127.0.0.1:53"));
    }
}

TEST_F(DnsClientTest, ChooseReadsTheEnvironmentVariable)
{
    const QByteArray old = qgetenv("TELVARO_DNS_SERVER");
    const bool wasSet = qEnvironmentVariableIsSet("TELVARO_DNS_SERVER");
    qputenv("TELVARO_DNS_SERVER", QByteArray::fromStdString(m_server.Address()));
    CDnsServer server;
    QString error;
    EXPECT_TRUE(CDnsServer::Choose(&server, &error));
    m_server.SetBehaviour("chosen.example", CDnsBehaviour::Addresses({"192.0.2.5"}));
    CDnsClient client;
    EXPECT_EQ(client.Query("chosen.example", DnsType::A, server, Clock::now() + 5s).m_addresses,
              QByteArrayList{"192.0.2.5"});
    if (wasSet)
        qputenv("TELVARO_DNS_SERVER", old);
    else
        qunsetenv("TELVARO_DNS_SERVER");
}
