#include "LoopbackWhoisServer.h"
#include "LookupReceiver.h"
#include "TestSupport.h"
#include "verdict/WhoisAnswer.h"
#include "lookup/WhoisConnection.h"
#include "model/DomainInfo.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"
#include "base/Settings.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <thread>

namespace {

using Receiver = CLookupReceiver;

CHostAddress Loopback(uint16_t port)
{
    CHostAddress a;
    auto* sin = reinterpret_cast<sockaddr_in*>(&a.m_addr);
    sin->sin_family = AF_INET;
    sin->sin_port = htons(port);
    sin->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.m_nLength = sizeof(sockaddr_in);
    return a;
}

class WhoisLookupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_server.Address())));
        g_tldTable.Add(std::make_unique<CTLDInfo>("NET", "never.resolved.invalid"));
        ResolveWhoisServers(&m_receiver);
        ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));
    }
    void TearDown() override { g_tldTable.RemoveAll(); }

    // The options a lookup starts with: the stored time limit, cleanup only
    // when a test asks for it.
    CLookupOptions Options() const
    {
        CLookupOptions options = CLookupOptions::FromSettings(CLookupOptions::Moment::AsStored);
        options.m_bStripOutput = m_bStrip;
        options.m_bResolveNames = false;   // the registry's answer alone
        return options;
    }

    // Starts a lookup of name in m_record.
    void Start(const QByteArray& name)
    {
        m_record.m_strName = name;
        m_record.m_pNotifyWnd = &m_receiver;
        ASSERT_TRUE(CWhoisConnection::Start(m_record, name, Options()));
        ASSERT_TRUE(m_record.IsBusy());
    }

    // Runs the lookup of name to its end.
    void Lookup(const QByteArray& name)
    {
        Start(name);
        ASSERT_TRUE(ProcessEventsUntil([&] { return !m_record.IsBusy(); }));
    }

    QByteArray Header(const char* name) const
    {
        return "WHOIS server: 127.0.0.1, Domain: " + QByteArray(name) + "\r\n\r\n";
    }

    ScopedTelvaroHome m_home;
    CLoopbackWhoisServer m_server;
    Receiver m_receiver;
    CDomainInfo m_record;
    bool m_bStrip = false;
};

}

TEST_F(WhoisLookupTest, RequestAndAnswerOfAFreeName)
{
    Lookup("example.com");
    ASSERT_TRUE(m_server.WaitForRequests(1, std::chrono::seconds(5)));
    EXPECT_EQ(m_server.Requests()[0], "example.com\r\n");   // 13 bytes
    EXPECT_EQ(m_record.m_strWhois, Header("example.com") + "No match for \"example.com\".\r\r\n");
    EXPECT_EQ(m_record.m_nStatus, STATUS_AVAILABLE);
    EXPECT_TRUE(m_record.m_dtChecked.IsValid());
    EXPECT_EQ(m_receiver.m_nDone, 1);
}

TEST_F(WhoisLookupTest, CleanupAndClassificationRunInTheWorker)
{
    m_bStrip = true;
    m_server.SetDefaultBehaviour(CWhoisBehaviour::Answer(
        "Terms. By submitting a query, you agree to abide by this policy.\n\n   Registrar: Example\n"));
    m_record.m_nStatus = 7;
    m_record.m_nPrevStatus = 3;
    Lookup("taken.com");
    EXPECT_EQ(m_record.m_strWhois, "Registrar: Example\r\n");
    EXPECT_EQ(m_record.m_nStatus, STATUS_TAKEN);
}

TEST_F(WhoisLookupTest, LongAnswersAreCutAtTheLastWholeChunk)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::Chunks(
        {std::string(1000, 'a'), std::string(1000, 'b'), std::string(1000, 'c'), std::string(1000, 'd'),
         std::string(1000, 'e')},
        std::chrono::milliseconds(60)));
    Lookup("long.com");
    const QByteArray expected = Header("long.com") + QByteArray(1000, 'a') + QByteArray(1000, 'b')
        + QByteArray(1000, 'c') + QByteArray(1000, 'd');
    EXPECT_EQ(m_record.m_strWhois, expected);

    m_server.SetDefaultBehaviour(CWhoisBehaviour::Huge(100000));
    Lookup("huge.com");
    EXPECT_LE(m_record.m_strWhois.size(), 4095 + 200);   // CR LF doubling adds a little
    EXPECT_TRUE(m_record.m_strWhois.startsWith(Header("huge.com")));
}

TEST_F(WhoisLookupTest, ChunkWithANulBecomesSpacesAndItsTextBeforeTheNul)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::Chunks({std::string("abc\0def", 7), "XY"},
                                                         std::chrono::milliseconds(60)));
    Lookup("nul.com");
    EXPECT_EQ(m_record.m_strWhois, Header("nul.com") + "    abcXY");
}

TEST_F(WhoisLookupTest, StopDuringTheReceiveKeepsTheTextSoFar)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::NeverClose("partial answer"));
    Start("slow.com");
    ASSERT_TRUE(m_server.WaitForRequests(1, std::chrono::seconds(5)));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    m_record.CancelLookup();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_record.IsBusy(); }, 2000));
    EXPECT_EQ(m_record.m_strWhois, Header("slow.com") + "partial answer");
    EXPECT_EQ(m_record.m_nStatus, STATUS_ERROR_FIRST);
}

TEST_F(WhoisLookupTest, UnresolvedServerWaitsUntilStopped)
{
    Start("name.net");
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_record.IsBusy());
    m_record.CancelLookup();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_record.IsBusy(); }, 2000));
    EXPECT_EQ(m_record.m_strWhois, "Unknown 'whois' server (never.resolved.invalid)\r\n");
    EXPECT_EQ(m_record.m_nStatus, STATUS_ERROR_FIRST);
}

TEST_F(WhoisLookupTest, UnresolvedServerGivesUpAtTheTimeLimit)
{
    Settings::LookupTimeout.Set(1);
    Lookup("name.net");
    EXPECT_EQ(m_record.m_strWhois, "Unknown 'whois' server (never.resolved.invalid)\r\n");
    EXPECT_EQ(m_record.m_nStatus, STATUS_ERROR_FIRST);
}

TEST_F(WhoisLookupTest, AStopBeforeTheWorkerRunsIsNotForgotten)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::NeverClose("x"));
    Start("early.com");
    m_record.CancelLookup();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_record.IsBusy(); }, 2000));
    EXPECT_EQ(m_record.m_nStatus, STATUS_ERROR_FIRST);
}

TEST_F(WhoisLookupTest, ServerThatNeverClosesTimesOut)
{
    Settings::LookupTimeout.Set(1);
    m_server.SetDefaultBehaviour(CWhoisBehaviour::NeverClose("No match for x"));
    m_record.m_nStatus = 8;
    m_record.m_nPrevStatus = 8;
    Lookup("hang.com");
    EXPECT_EQ(m_record.m_strWhois, "whois: connection timed out");
    EXPECT_EQ(m_record.m_nStatus, STATUS_TOO_MANY_ERRORS);   // the fifth failure in a row
}

TEST_F(WhoisLookupTest, FailuresGiveTheirMessages)
{
    // A refused connection.
    auto refused = std::make_shared<CHostEntry>();
    refused->m_strHostName = "127.0.0.1";
    refused->m_addresses.push_back(Loopback(CLoopbackWhoisServer::RefusedPort()));
    g_tldTable.GetAt(0)->m_pHostEnt->Set(refused);
    Lookup("a.com");
    EXPECT_EQ(m_record.m_strWhois, "whois: unable to connect to WHOIS server");

    // Every address is tried: the refused one first, then the live one.
    auto both = std::make_shared<CHostEntry>(*refused);
    both->m_addresses.push_back(Loopback(m_server.Port()));
    g_tldTable.GetAt(0)->m_pHostEnt->Set(both);
    Lookup("b.com");
    EXPECT_EQ(m_record.m_strWhois, Header("b.com") + "No match for \"b.com\".\r\r\n");

    // A name without a row of its own asks the row that abcd.com finds.
    Lookup("c.org");
    EXPECT_EQ(m_record.m_strWhois, Header("c.org") + "No match for \"c.org\".\r\r\n");

    // Neither the name nor abcd.com has a row.
    g_tldTable.RemoveAt(0);
    Lookup("d.org");
    EXPECT_EQ(m_record.m_strWhois, "'whois' server not defined.\r\n");

    // A server that closes at once gives just the header.
    g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_server.Address())));
    g_tldTable.GetAt(1)->m_pHostEnt->Set(both);
    m_server.SetDefaultBehaviour(CWhoisBehaviour::CloseAtOnce());
    Lookup("e.com");
    EXPECT_EQ(m_record.m_strWhois, Header("e.com"));
}

TEST_F(WhoisLookupTest, RecordDestroyedWhileItsWorkerRuns)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::NeverClose("x"));
    auto record = std::make_unique<CDomainInfo>();
    record->m_pNotifyWnd = &m_receiver;
    ASSERT_TRUE(CWhoisConnection::Start(*record, "gone.com", Options()));
    ASSERT_TRUE(m_server.WaitForRequests(1, std::chrono::seconds(5)));
    record.reset();   // detaches and stops the worker; its result goes nowhere
    ASSERT_TRUE(CMainThreadQueue::WaitForThreads(std::chrono::seconds(5)));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_receiver.m_nDone, 0);
}
