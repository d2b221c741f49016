#include "LoopbackWhoisServer.h"
#include "TestSupport.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"

#include <gtest/gtest.h>

namespace {

const char kLimit[] = "%% Too many requests... Please try again in 2 seconds.\r\n%% No entries found in the Database.\r\n";

// Two registries, one of which starts by asking to be asked less.
class ServerPacingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_limited.Address())));
        g_tldTable.Add(std::make_unique<CTLDInfo>("NET", QByteArray::fromStdString(m_other.Address())));
        m_doc.OnNewDocument();
        CLookupOptions options;
        options.m_nMaxConnections = 10;
        options.m_nIntervalMs = 3600 * 1000;   // ticks by hand only
        options.m_nServerConnections = 2;
        options.m_bControlNames = false;
        m_scheduler = std::make_unique<CLookupScheduler>(&m_doc, options);
        for (const char* n : {"a.com", "b.com", "c.com", "x.net", "y.net", "z.net"}) {
            ASSERT_TRUE(m_doc.AddDomain(n));
            m_doc.GetAt(m_doc.GetCount() - 1)->m_bSelected = 1;
        }
    }
    void TearDown() override
    {
        m_scheduler.reset();
        g_tldTable.RemoveAll();
    }

    int Busy(const char* tld) const
    {
        int n = 0;
        for (const auto& r : m_doc.Records())
            n += r->IsBusy() && r->m_strName.endsWith(tld) ? 1 : 0;
        return n;
    }

    bool Idle() const
    {
        return std::none_of(m_doc.Records().begin(), m_doc.Records().end(), [](const auto& r) { return r->IsBusy(); });
    }

    uint8_t Status(int row) const { return m_doc.GetAt(row)->m_nStatus; }

    ScopedTelvaroHome m_home;
    CLoopbackWhoisServer m_limited{CWhoisBehaviour::Answer(kLimit)};
    CLoopbackWhoisServer m_other{CWhoisBehaviour::Template("No match for \"%s\".\r\n")};
    CDomainDoc m_doc;
    std::unique_ptr<CLookupScheduler> m_scheduler;
};

}

TEST_F(ServerPacingTest, ALimitedServerPausesWhileTheOtherGoesOn)
{
    std::vector<int> paused;
    QObject::connect(m_scheduler.get(), &CLookupScheduler::ServerPaused,
                     [&](const QString&, int seconds, const QString&) { paused.push_back(seconds); });
    m_scheduler->LookupSelected();
    // Each server gets at most two at once, whatever the global limit.
    ASSERT_TRUE(ProcessEventsUntil([&] {
        m_scheduler->OnTimer();
        return Busy(".com") + Busy(".net") > 0;
    }));
    EXPECT_LE(Busy(".com"), 2);
    EXPECT_LE(Busy(".net"), 2);

    // The limit text goes on with a line that reads as free; none of the
    // limited names may come out free.
    ASSERT_TRUE(ProcessEventsUntil([&] {
        m_scheduler->OnTimer();
        return !paused.empty() && Status(3) == STATUS_AVAILABLE && Status(4) == STATUS_AVAILABLE
            && Status(5) == STATUS_AVAILABLE && Idle();
    }));
    EXPECT_EQ(paused, std::vector<int>{2});
    for (int row : {0, 1})
        EXPECT_EQ(Status(row), STATUS_ERROR_FIRST) << row;
    EXPECT_EQ(Status(2), STATUS_UNKNOWN);   // its server paused before its turn

    // Names waiting for a paused server keep "Lookup Selected" going.
    m_scheduler->OnTimer();
    EXPECT_TRUE(m_scheduler->IsLookupRunning());
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(m_scheduler->HintText().contains(QStringLiteral("asked to be asked less often; its names wait")))
        << m_scheduler->HintText().toStdString();

    // Once the pause is over, the server's names are asked again; a rate
    // limit never counted as a failure of its name.
    m_limited.SetDefaultBehaviour(CWhoisBehaviour::Template("Registrar: Example\r\nDomain Name: %s\r\n"));
    ASSERT_TRUE(ProcessEventsUntil([&] {
        m_scheduler->OnTimer();
        return Status(0) == STATUS_TAKEN && Status(1) == STATUS_TAKEN && Status(2) == STATUS_TAKEN && Idle();
    }, 10000));
    m_scheduler->OnTimer();
    EXPECT_FALSE(m_scheduler->IsLookupRunning());
}

TEST_F(ServerPacingTest, StopAllEndsTheWaitForAPausedServer)
{
    m_scheduler->LookupSelected();
    ASSERT_TRUE(ProcessEventsUntil([&] {
        m_scheduler->OnTimer();
        return Status(0) == STATUS_ERROR_FIRST && Idle();
    }));
    m_scheduler->OnTimer();
    EXPECT_TRUE(m_scheduler->IsLookupRunning());
    m_scheduler->StopAll();
    EXPECT_FALSE(m_scheduler->IsBusy());
    EXPECT_FALSE(m_scheduler->HintText().contains(QStringLiteral("asked to be asked less")));
}

TEST_F(ServerPacingTest, WithoutPacingEveryNameIsAskedAtOnce)
{
    CLookupOptions options = m_scheduler->Options();
    options.m_nServerConnections = 0;
    m_scheduler->SetOptions(options);
    m_limited.SetDefaultBehaviour(CWhoisBehaviour::Delay(std::chrono::milliseconds(300), kLimit));
    m_scheduler->LookupSelected();
    ASSERT_TRUE(ProcessEventsUntil([&] {
        m_scheduler->OnTimer();
        return Busy(".com") == 3;
    }));
    m_scheduler->StopAll();
    ASSERT_TRUE(m_scheduler->WaitUntilIdle(5000));
}

// A registry that allows 20 queries a second, and no pause between
// fillings: the scheduler learns the rate from the first refusal, waits for
// each window without being woken by hand, and ends on its own with every
// name's true verdict and few refusals.
TEST(ServerPacingRate, ARateLimitedServerIsAskedAtItsPaceUntilEveryNameIsDone)
{
    ScopedTelvaroHome home;
    CLoopbackWhoisServer server(CWhoisBehaviour::Template("Registrar: Example\r\nDomain Name: %s\r\n"));
    server.LimitRate(20);
    g_tldTable.RemoveAll();
    g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(server.Address())));
    CDomainDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(doc.AddDomain("n" + QByteArray::number(i) + ".com"));
        doc.GetAt(i)->m_bSelected = 1;
    }
    CLookupOptions options;
    options.m_nMaxConnections = 8;
    options.m_nIntervalMs = 0;
    options.m_bControlNames = false;
    std::vector<int> paused;
    {
        CLookupScheduler scheduler(&doc, options);
        QObject::connect(&scheduler, &CLookupScheduler::ServerPaused,
                         [&](const QString&, int seconds, const QString&) { paused.push_back(seconds); });
        scheduler.LookupSelected();
        EXPECT_TRUE(ProcessEventsUntil([&] { return !scheduler.IsLookupRunning() && !scheduler.IsBusy(); }, 30000))
            << "busy " << scheduler.BusyCount() << " running " << scheduler.IsLookupRunning() << " requests "
            << server.Requests().size() << " open " << server.OpenCount() << " paused " << paused.size() << " hint "
            << scheduler.HintText().toStdString();
    }
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(doc.GetAt(i)->m_nStatus, STATUS_TAKEN) << i;
    // The lookups under way at the first refusal are refused too; after it
    // the pace holds.
    EXPECT_LE(server.Requests().size(), 60u + 2 * options.m_nServerConnections);
    ASSERT_FALSE(paused.empty());
    EXPECT_EQ(paused.front(), 1) << "one window's rest, not the long pause";
    g_tldTable.RemoveAll();
}
