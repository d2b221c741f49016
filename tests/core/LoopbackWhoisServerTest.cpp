#include "LoopbackWhoisServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

// A plain blocking client. Receives give up after a while, so a server that
// never answers fails the test instead of hanging it.
struct Client
{
    int fd = -1;
    int connectError = 0;
    int receiveError = 0;

    explicit Client(uint16_t port, bool bIPv6 = false)
    {
        fd = ::socket(bIPv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const timeval limit{10, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        sockaddr_in a4{};
        sockaddr_in6 a6{};
        a4.sin_family = AF_INET;
        a4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a4.sin_port = htons(port);
        a6.sin6_family = AF_INET6;
        a6.sin6_addr = in6addr_loopback;
        a6.sin6_port = htons(port);
        const int rc = bIPv6 ? ::connect(fd, reinterpret_cast<sockaddr*>(&a6), sizeof a6)
                             : ::connect(fd, reinterpret_cast<sockaddr*>(&a4), sizeof a4);
        connectError = rc < 0 ? errno : 0;
    }
    ~Client() { ::close(fd); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void Send(const std::string& bytes) const
    {
        ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
    }
    // One recv(): empty at the end or on an error (then in receiveError).
    std::string Receive()
    {
        char buffer[65536];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        receiveError = n < 0 ? errno : 0;
        return std::string(buffer, std::size_t(std::max<ssize_t>(n, 0)));
    }
    // Every recv() up to the end, one string each.
    std::vector<std::string> ReceiveEach()
    {
        std::vector<std::string> each;
        for (std::string got = Receive(); !got.empty(); got = Receive())
            each.push_back(got);
        return each;
    }
    std::string ReceiveAll()
    {
        std::string all;
        for (const std::string& got : ReceiveEach())
            all += got;
        return all;
    }
};

std::string Query(uint16_t port, const std::string& request, bool bIPv6 = false)
{
    Client client(port, bIPv6);
    client.Send(request);
    return client.ReceiveAll();
}

template <class Pred>
bool Eventually(Pred pred)
{
    for (const auto end = Clock::now() + 5s; !pred(); std::this_thread::sleep_for(5ms))
        if (Clock::now() > end)
            return false;
    return true;
}

} // namespace

TEST(LoopbackWhoisServer, RecordsRequestsByteExactAndMatchesNamesWithoutCase)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::Answer("default\r\n"));
    server.SetBehaviour("Example.COM", CWhoisBehaviour::Answer("override\r\n"));

    EXPECT_EQ(Query(server.Port(), "example.com\r\n"), "override\r\n");
    EXPECT_EQ(Query(server.Port(), "EXAMPLE.com\n"), "override\r\n");
    EXPECT_EQ(Query(server.Port(), std::string("caf\xc3\xa9\0.de\r\n", 11)), "default\r\n");
    {
        // No line end at all: the client's half-close ends the request.
        Client client(server.Port());
        client.Send("eXample.com");
        ::shutdown(client.fd, SHUT_WR);
        EXPECT_EQ(client.ReceiveAll(), "override\r\n");
    }
    const std::vector<std::string> expected{"example.com\r\n", "EXAMPLE.com\n",
                                            std::string("caf\xc3\xa9\0.de\r\n", 11), "eXample.com"};
    EXPECT_EQ(server.Requests(), expected);
    EXPECT_TRUE(server.WaitForRequests(4, 0ms));
    EXPECT_FALSE(server.WaitForRequests(5, 50ms));
}

TEST(LoopbackWhoisServer, SendsAnswersByteExact)
{
    const std::string withNuls("a\0b\r\n\0", 6);
    CLoopbackWhoisServer server(CWhoisBehaviour::Answer(withNuls));
    server.SetBehaviour("named.example", CWhoisBehaviour::Template("No match for \"%s\".\r\n%s|"));
    constexpr std::size_t kHuge = 1024 * 1024 + 7;
    server.SetBehaviour("huge.example", CWhoisBehaviour::Huge(kHuge));

    EXPECT_EQ(Query(server.Port(), "any.example\r\n"), withNuls);
    EXPECT_EQ(Query(server.Port(), "NAMED.example\r\n"), "No match for \"NAMED.example\".\r\nNAMED.example|");

    const std::string huge = Query(server.Port(), "huge.example\r\n");
    ASSERT_EQ(huge.size(), kHuge);
    EXPECT_TRUE(std::all_of(huge.begin(), huge.end(), [](char c) { return (c >= ' ' && c <= '~') || c == '\r' || c == '\n'; }));
    const std::size_t firstEnd = huge.find("\r\n") + 2;
    EXPECT_EQ(huge.substr(firstEnd, firstEnd).find("\r\n"), firstEnd - 2) << "lines are all one length";
    // The generated text is one stream however it is cut into blocks.
    EXPECT_EQ(huge.substr(70000, 100), CWhoisBehaviour::HugeText(70000, 100));
}

TEST(LoopbackWhoisServer, PacedChunksAndTricklePiecesArriveAsSeparateReceives)
{
    // The pause is far longer than a loopback delivery, so only a stall of
    // the test thread that long could merge two receives.
    const std::vector<std::string> chunks{"first\r\n", std::string("sec\0nd\r\n", 8), "third\r\n"};
    CLoopbackWhoisServer server(CWhoisBehaviour::Chunks(chunks, 250ms));
    server.SetBehaviour("drip.example", CWhoisBehaviour::Trickle("abcdefgh", 3, 250ms));

    Client chunked(server.Port());
    chunked.Send("chunks.example\r\n");
    EXPECT_EQ(chunked.ReceiveEach(), chunks);

    Client trickled(server.Port());
    trickled.Send("drip.example\r\n");
    EXPECT_EQ(trickled.ReceiveEach(), (std::vector<std::string>{"abc", "def", "gh"}));
}

TEST(LoopbackWhoisServer, DelayHoldsTheAnswerButNotTheRequestLog)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::Delay(300ms, "late\r\n"));
    Client client(server.Port());
    const auto sent = Clock::now();
    client.Send("slow.example\r\n");
    EXPECT_TRUE(server.WaitForRequests(1, 5s));
    EXPECT_EQ(client.ReceiveAll(), "late\r\n");
    EXPECT_GE(Clock::now() - sent, 300ms);
}

TEST(LoopbackWhoisServer, CloseAtOnceEndsTheConnectionWithoutAnyBytes)
{
    CLoopbackWhoisServer closing(CWhoisBehaviour::CloseAtOnce());
    Client first(closing.Port());
    first.Send("any.example\r\n");
    EXPECT_EQ(first.Receive(), "");
    EXPECT_EQ(first.receiveError, 0) << "an orderly end, not a reset";
    EXPECT_TRUE(closing.Requests().empty()) << "closed before reading";
    EXPECT_EQ(closing.AcceptedCount(), 1u);

    // For one name only it has to read the name first, and still says nothing.
    CLoopbackWhoisServer server(CWhoisBehaviour::Answer("answer\r\n"));
    server.SetBehaviour("gone.example", CWhoisBehaviour::CloseAtOnce());
    Client second(server.Port());
    second.Send("gone.example\r\n");
    EXPECT_EQ(second.Receive(), "");
    EXPECT_EQ(second.receiveError, 0);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"gone.example\r\n"});
}

TEST(LoopbackWhoisServer, RefusedPortRefusesConnections)
{
    Client client(CLoopbackWhoisServer::RefusedPort());
    EXPECT_EQ(client.connectError, ECONNREFUSED);
}

TEST(LoopbackWhoisServer, StopCutsShortHeldConnectionsDelaysAndTrickles)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::NeverClose("partial\r\n"));
    server.SetBehaviour("slow.example", CWhoisBehaviour::Delay(60s, "never sent"));
    server.SetBehaviour("drip.example", CWhoisBehaviour::Trickle("abcdef", 1, 60s));
    std::vector<std::unique_ptr<Client>> held;
    for (int i = 0; i < 3; ++i) {
        held.push_back(std::make_unique<Client>(server.Port()));
        held.back()->Send("held.example\r\n");
        EXPECT_EQ(held.back()->Receive(), "partial\r\n");
    }
    Client slow(server.Port());
    slow.Send("slow.example\r\n");
    Client drip(server.Port());
    drip.Send("drip.example\r\n");
    EXPECT_EQ(drip.Receive(), "a");
    ASSERT_TRUE(server.WaitForRequests(5, 5s));

    const auto start = Clock::now();
    server.Stop();
    // Generous for a loaded sanitizer run; a Stop() that waits sits out a minute.
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(server.OpenCount(), 0u);

    for (Client* client : {held[0].get(), held[1].get(), held[2].get(), &slow, &drip}) {
        EXPECT_EQ(client->ReceiveAll(), "");
        EXPECT_NE(client->receiveError, EAGAIN) << "the connection was left open";
    }
    EXPECT_EQ(Client(server.Port()).connectError, ECONNREFUSED);
    server.Stop();
}

TEST(LoopbackWhoisServer, AnswersHundredConcurrentClients)
{
    CWhoisBehaviour overlapping = CWhoisBehaviour::Template("answer for %s\r\n");
    overlapping.m_delay = 100ms;
    CLoopbackWhoisServer server(overlapping);
    constexpr int kClients = 100;
    std::vector<std::string> answers(kClients);
    std::vector<std::thread> threads;
    for (int i = 0; i < kClients; ++i)
        threads.emplace_back([&, i] { answers[i] = Query(server.Port(), "name" + std::to_string(i) + ".example\r\n"); });
    for (std::thread& t : threads)
        t.join();

    std::vector<std::string> expected;
    for (int i = 0; i < kClients; ++i) {
        EXPECT_EQ(answers[i], "answer for name" + std::to_string(i) + ".example\r\n");
        expected.push_back("name" + std::to_string(i) + ".example\r\n");
    }
    std::vector<std::string> requests = server.Requests();
    std::sort(requests.begin(), requests.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(requests, expected);
    EXPECT_EQ(server.AcceptedCount(), std::size_t(kClients));
}

TEST(LoopbackWhoisServer, CountsConnectionsAndTheMostOpenAtOnce)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::Answer("answer\r\n"));
    server.SetBehaviour("hold.example", CWhoisBehaviour::NeverClose());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Query(server.Port(), "one.example\r\n"), "answer\r\n");
    // A connection counts as served before its end reaches the client, so
    // queries one after another never overlap.
    EXPECT_EQ(server.AcceptedCount(), 3u);
    EXPECT_EQ(server.MaxOpenCount(), 1u);
    EXPECT_EQ(server.OpenCount(), 0u);

    std::vector<std::unique_ptr<Client>> held;
    for (int i = 0; i < 5; ++i) {
        held.push_back(std::make_unique<Client>(server.Port()));
        held.back()->Send("hold.example\r\n");
    }
    ASSERT_TRUE(server.WaitForRequests(8, 5s));
    EXPECT_EQ(server.MaxOpenCount(), 5u);
    EXPECT_EQ(server.OpenCount(), 5u);

    // A held connection ends when its client gives up.
    held.resize(2);
    EXPECT_TRUE(Eventually([&] { return server.OpenCount() == 2; }));
    EXPECT_EQ(server.MaxOpenCount(), 5u);
    EXPECT_EQ(server.AcceptedCount(), 8u);
}

TEST(LoopbackWhoisServer, ListensOnBothLoopbacksWhenAskedForIPv6)
{
    if (Client(CLoopbackWhoisServer::RefusedPort(), true).connectError != ECONNREFUSED)
        GTEST_SKIP() << "no IPv6 loopback here";
    CLoopbackWhoisServer server(CWhoisBehaviour::Template("hello %s\r\n"), true);
    EXPECT_EQ(Query(server.Port(), "six.example\r\n", true), "hello six.example\r\n");
    EXPECT_EQ(Query(server.Port(), "four.example\r\n"), "hello four.example\r\n");
}

TEST(LoopbackWhoisServer, LiesAfterTheTruthfulRequestsWhateverTheBehavioursSay)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::Answer("Domain Name: taken\r\n"));
    server.SetBehaviour("gone.example", CWhoisBehaviour::CloseAtOnce());
    server.SetBehaviour("slow.example", CWhoisBehaviour::Delay(60s, "never sent"));
    EXPECT_EQ(Query(server.Port(), "before.example\r\n"), "Domain Name: taken\r\n") << "counts from the call";
    server.LieAfter(2, "NOT FOUND: %s\r\n");

    // Two truthful requests on two connections that overlap.
    Client first(server.Port());
    Client second(server.Port());
    first.Send("one.example\r\n");
    second.Send("gone.example\r\n");
    EXPECT_EQ(first.ReceiveAll(), "Domain Name: taken\r\n");
    EXPECT_EQ(second.ReceiveAll(), "");
    ASSERT_TRUE(server.WaitForRequests(3, 5s));

    // From here on every name is "not found", closing and slow ones too.
    EXPECT_EQ(Query(server.Port(), "three.example\r\n"), "NOT FOUND: three.example\r\n");
    EXPECT_EQ(Query(server.Port(), "GONE.example\r\n"), "NOT FOUND: GONE.example\r\n");
    EXPECT_EQ(Query(server.Port(), "slow.example\r\n"), "NOT FOUND: slow.example\r\n");
    EXPECT_EQ(server.Requests().size(), 6u);

    // Setting it again starts a fresh count.
    server.LieAfter(1);
    EXPECT_EQ(Query(server.Port(), "again.example\r\n"), "Domain Name: taken\r\n");
    EXPECT_EQ(Query(server.Port(), "later.example\r\n"), "No match for \"later.example\".\r\n");
}

TEST(LoopbackWhoisServer, ALieForACountEndsInTruthAgain)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::Answer("Domain Name: taken\r\n"));
    server.LieAfter(1, "none %s\r\n", 2);
    EXPECT_EQ(Query(server.Port(), "a.example\r\n"), "Domain Name: taken\r\n");
    EXPECT_EQ(Query(server.Port(), "b.example\r\n"), "none b.example\r\n");
    EXPECT_EQ(Query(server.Port(), "c.example\r\n"), "none c.example\r\n");
    EXPECT_EQ(Query(server.Port(), "d.example\r\n"), "Domain Name: taken\r\n");
    EXPECT_EQ(Query(server.Port(), "e.example\r\n"), "Domain Name: taken\r\n");
}

TEST(LoopbackWhoisServer, LyingReadsTheNameEvenWhenEveryConnectionWouldClose)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::CloseAtOnce());
    server.LieAfter(0, "none %s\r\n");
    EXPECT_EQ(Query(server.Port(), "any.example\r\n"), "none any.example\r\n");
}

TEST(LoopbackWhoisServer, RateLimitAnswersOnlyTheAllowedNumberInAnySecond)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::Template("Domain Name: %s\r\n"));
    server.LimitRate(3);
    const auto start = Clock::now();
    std::vector<std::string> answers;
    for (int i = 0; i < 5; ++i)
        answers.push_back(Query(server.Port(), "n" + std::to_string(i) + ".example\r\n"));
    ASSERT_LT(Clock::now() - start, 900ms) << "too slow a machine for this window";
    EXPECT_EQ(answers[0], "Domain Name: n0.example\r\n");
    EXPECT_EQ(answers[2], "Domain Name: n2.example\r\n");
    EXPECT_EQ(answers[3], "% Query rate limit exceeded for n3.example, try again later.\r\n");
    EXPECT_EQ(answers[4], "% Query rate limit exceeded for n4.example, try again later.\r\n");
    EXPECT_EQ(server.Requests().size(), 5u) << "refused requests are logged too";

    // Refusals do not count: once the admitted ones are a second old, the
    // next ones are answered again.
    std::this_thread::sleep_until(start + 1100ms);
    EXPECT_EQ(Query(server.Port(), "later.example\r\n"), "Domain Name: later.example\r\n");

    // Zero admits nothing, and a closing behaviour still hears the request.
    server.SetDefaultBehaviour(CWhoisBehaviour::CloseAtOnce());
    server.LimitRate(0, "busy %s\r\n");
    EXPECT_EQ(Query(server.Port(), "any.example\r\n"), "busy any.example\r\n");
}

TEST(LoopbackWhoisServer, RateLimitHoldsOverConcurrentClients)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::Answer("Domain Name: taken\r\n"));
    server.LimitRate(10);
    std::vector<std::string> answers(40);
    std::vector<std::thread> clients;
    const auto start = Clock::now();
    for (std::size_t i = 0; i < answers.size(); ++i)
        clients.emplace_back([&, i] { answers[i] = Query(server.Port(), "c.example\r\n"); });
    for (std::thread& t : clients)
        t.join();
    if (Clock::now() - start > 900ms)
        GTEST_SKIP() << "the clients took longer than the window";
    const auto answered = std::count(answers.begin(), answers.end(), "Domain Name: taken\r\n");
    // All 40 arrive well within a second, so exactly ten are answered.
    EXPECT_EQ(answered, 10);
}
