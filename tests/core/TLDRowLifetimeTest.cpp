#include "LoopbackWhoisServer.h"
#include "TestSupport.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>

// Rows of the TLD table deleted while a lookup or a resolution still uses
// them: the lookup ends as it would have, never waits for ever, and nothing
// is touched after it is gone (run under ThreadSanitizer and ASan too).
namespace {

class TLDRowLifetimeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_shared<CTLDInfo>("COM", QByteArray::fromStdString(m_server.Address())));
        g_tldTable.Add(std::make_shared<CTLDInfo>("NET", "nonexistent.invalid"));
        m_doc.OnNewDocument();
        CLookupOptions options;
        options.m_nTimeoutSeconds = 0;   // a lookup left waiting would wait for ever
        options.m_nIntervalMs = 3600 * 1000;
        options.m_bResolveNames = false;
        m_scheduler = std::make_unique<CLookupScheduler>(&m_doc, options);
    }
    void TearDown() override
    {
        m_scheduler->StopAll();
        m_scheduler.reset();
        g_tldTable.RemoveAll();
    }

    // Starts the lookup of name, the only record.
    void Check(const char* name)
    {
        ASSERT_TRUE(m_doc.AddDomain(name));
        m_scheduler->CheckAvailability(0);
        ASSERT_TRUE(m_doc.GetAt(0)->IsBusy());
    }
    bool Finished(int timeoutMs = 10000)
    {
        return ProcessEventsUntil([&] { return !m_doc.GetAt(0)->IsBusy(); }, timeoutMs);
    }
    const QByteArray& Answer() const { return m_doc.GetAt(0)->m_strWhois; }

    ScopedTelvaroHome m_home;
    CLoopbackWhoisServer m_server{CWhoisBehaviour::Delay(std::chrono::milliseconds(300), "No match for this name.\r\n")};
    CDomainDoc m_doc;
    std::unique_ptr<CLookupScheduler> m_scheduler;
};

}

TEST_F(TLDRowLifetimeTest, RowDeletedWhileItsLookupRuns)
{
    ASSERT_TRUE(ResolveWhoisServers(m_scheduler.get()));
    ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));
    Check("kettle.com");
    ASSERT_TRUE(m_server.WaitForRequests(1, std::chrono::seconds(5)));
    g_tldTable.RemoveAll();
    BuildDefaultTLDTable();   // a new table, as Reset builds it
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(Answer().endsWith("No match for this name.\r\r\n")) << Answer().constData();
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
}

TEST_F(TLDRowLifetimeTest, RowDeletedWhileItsResolutionIsPending)
{
    // The resolution is under way (its answer is delivered by the event
    // loop, which has not run yet) and the lookup waits for it.
    Check("kettle.com");
    ASSERT_NE(g_tldTable.GetAt(0)->m_hResolve, CTLDInfo::kNoRequest);
    g_tldTable.RemoveAt(0);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(Answer().startsWith("WHOIS server: 127.0.0.1, Domain: kettle.com")) << Answer().constData();
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    // The remaining row was not mistaken for it.
    EXPECT_EQ(g_tldTable.GetAt(0)->m_strTLD, "NET");
    EXPECT_FALSE(g_tldTable.GetAt(0)->IsResolved());
}

TEST_F(TLDRowLifetimeTest, RowDeletedWhileItsFailingResolutionIsPending)
{
    Check("kettle.net");
    ASSERT_NE(g_tldTable.GetAt(1)->m_hResolve, CTLDInfo::kNoRequest);
    g_tldTable.RemoveAt(1);
    // No time limit: only the failed answer can end the wait.
    ASSERT_TRUE(Finished());
    EXPECT_EQ(Answer(), "Unknown 'whois' server (nonexistent.invalid)\r\n");
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_ERROR_FIRST);
}

TEST_F(TLDRowLifetimeTest, RowDeletedUnresolvedWithNobodyResolvingIt)
{
    // Just after a failed resolution the row is not asked again for a while.
    g_tldTable.GetAt(0)->m_retryAfter = std::chrono::steady_clock::now() + std::chrono::hours(1);
    Check("kettle.com");
    EXPECT_EQ(g_tldTable.GetAt(0)->m_hResolve, CTLDInfo::kNoRequest);
    EXPECT_FALSE(Finished(300));
    g_tldTable.RemoveAt(0);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(Answer().startsWith("Unknown 'whois' server (127.0.0.1:")) << Answer().constData();
}

TEST_F(TLDRowLifetimeTest, AResultWhoseWindowHasGoneIsStillRecorded)
{
    auto window = std::make_unique<QObject>();
    ASSERT_TRUE(ResolveWhoisServers(window.get()));
    window.reset();
    ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));
    EXPECT_EQ(g_tldTable.GetAt(0)->m_hResolve, CTLDInfo::kNoRequest);
    // Not stuck as resolving: after a reset the row is asked again.
    ResetTLDResolution();
    ASSERT_TRUE(ResolveWhoisServers(m_scheduler.get()));
    EXPECT_NE(g_tldTable.GetAt(0)->m_hResolve, CTLDInfo::kNoRequest);
}

TEST_F(TLDRowLifetimeTest, AnAnswerForARowResetMeanwhileIsIgnored)
{
    ASSERT_TRUE(ResolveWhoisServers(m_scheduler.get()));
    const int stale = g_tldTable.GetAt(0)->m_hResolve;
    ResetTLDResolution();
    const uint16_t port = CLoopbackWhoisServer::RefusedPort();
    g_tldTable.GetAt(0)->m_strServer = "127.0.0.1:" + QByteArray::number(port);
    ASSERT_TRUE(ResolveWhoisServers(m_scheduler.get()));
    const int fresh = g_tldTable.GetAt(0)->m_hResolve;
    ASSERT_NE(fresh, stale);
    ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));
    // Give the old answer time to come too, whichever was first.
    ProcessEventsUntil([] { return false; }, 300);
    EXPECT_EQ(g_tldTable.GetAt(0)->m_hResolve, CTLDInfo::kNoRequest);
    const auto entry = g_tldTable.GetAt(0)->m_pHostEnt->Get();
    ASSERT_TRUE(entry);
    EXPECT_EQ(ntohs(reinterpret_cast<const sockaddr_in&>(entry->m_addresses[0].m_addr).sin_port), port);
}
