#include "LoopbackWhoisServer.h"
#include "DocChangeLog.h"
#include "TestSupport.h"
#include "lookup/LookupScheduler.h"
#include "lookup/WhoisConnection.h"
#include "model/DomainDoc.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"
#include "base/Settings.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

CLookupOptions Limits(int connections, int intervalMs)
{
    CLookupOptions options;
    options.m_nMaxConnections = connections;
    options.m_nIntervalMs = intervalMs;
    options.m_nServerConnections = 0;   // one server answers for all: no pacing
    options.m_bControlNames = false;
    return options;
}

class LookupSchedulerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_server.Address())));
        g_tldTable.Add(std::make_unique<CTLDInfo>("NET", "nonexistent.invalid"));
        m_doc.OnNewDocument();
        m_scheduler = std::make_unique<CLookupScheduler>(&m_doc, Limits(5, 3600 * 1000));   // ticks by hand only
    }
    void TearDown() override
    {
        m_scheduler.reset();
        g_tldTable.RemoveAll();
    }

    void AddSelected(std::initializer_list<const char*> names)
    {
        for (const char* n : names) {
            ASSERT_TRUE(m_doc.AddDomain(n));
            m_doc.GetAt(m_doc.GetCount() - 1)->m_bSelected = 1;
        }
    }

    std::vector<int> BusyRows() const
    {
        std::vector<int> rows;
        for (int i = 0; i < m_doc.GetCount(); ++i) {
            if (m_doc.GetAt(i)->IsBusy())
                rows.push_back(i);
        }
        return rows;
    }

    // Ticks as a slow timer would: each tick comes after the lookups it
    // started have ended, until "Lookup Selected" has ended.
    bool RunToEnd(int timeoutMs = 10000)
    {
        while (m_scheduler->IsBusy()) {
            m_scheduler->OnTimer();
            if (!ProcessEventsUntil([&] { return BusyRows().empty(); }, timeoutMs))
                return false;
        }
        return true;
    }

    ScopedTelvaroHome m_home;
    CLoopbackWhoisServer m_server;
    CDomainDoc m_doc;
    std::unique_ptr<CLookupScheduler> m_scheduler;
    CDocChangeLog m_changes{m_doc};
};

}

TEST_F(LookupSchedulerTest, FirstTickFillsTheSlotsInListOrder)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::Delay(std::chrono::milliseconds(300), "No match for x"));
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(m_doc.AddDomain("n" + QByteArray::number(i) + ".com"));
        m_doc.GetAt(i)->m_bSelected = i != 2;   // row 2 is not ticked
    }
    // Resolve first, so the tick starts lookups rather than waiting.
    ResolveWhoisServers(m_scheduler.get());
    ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));

    m_scheduler->LookupSelected();
    EXPECT_EQ(m_scheduler->ProgressTotal(), 9);
    m_scheduler->OnTimer();
    EXPECT_EQ(BusyRows(), (std::vector<int>{0, 1, 3, 4, 5}));
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_CHECKING);
    EXPECT_TRUE(m_scheduler->HintText().startsWith(QStringLiteral("Communicating with the Whois server.")));
    m_scheduler->OnTimer();   // every slot busy: nothing more starts
    EXPECT_EQ(BusyRows().size(), 5u);

    ASSERT_TRUE(RunToEnd());
    EXPECT_LE(m_server.MaxOpenCount(), 5u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(m_doc.GetAt(i)->m_nStatus, i == 2 ? STATUS_UNKNOWN : STATUS_AVAILABLE) << i;
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_scheduler->ProgressDone(), 9);
    EXPECT_EQ(m_scheduler->HintText(),
              QStringLiteral("Use the 'Lookup Selected' option to lookup the selected domain names for availability. "
                             "[10 Domains, 9 checked, 9 available, 0 taken]"));
}

TEST_F(LookupSchedulerTest, LookupSelectedEndsAtTheFirstTickThatStartsNothing)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::Delay(std::chrono::milliseconds(300), "Registrar: x"));
    AddSelected({"a.com", "b.com", "c.com"});
    ResolveWhoisServers(m_scheduler.get());
    ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));
    m_scheduler->LookupSelected();
    m_scheduler->OnTimer();
    EXPECT_EQ(BusyRows().size(), 3u);
    m_scheduler->OnTimer();
    EXPECT_FALSE(m_scheduler->IsLookupRunning());
    EXPECT_TRUE(m_scheduler->IsBusy());
    EXPECT_TRUE(m_scheduler->HintText().startsWith(QStringLiteral("Communicating with the Whois server.")));
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(m_doc.GetAt(2)->m_nStatus, STATUS_TAKEN);
    m_scheduler->OnTimer();   // the counts are refreshed with the hint line
    EXPECT_EQ(m_scheduler->m_nTakenCount, 3);
}

TEST_F(LookupSchedulerTest, FailuresEscalateAndTooManyErrorsIsSkipped)
{
    g_tldTable.GetAt(0)->m_strServer = "127.0.0.1:" + QByteArray::number(CLoopbackWhoisServer::RefusedPort());
    AddSelected({"fail.com", "new.com"});
    m_doc.GetAt(0)->m_nStatus = 8;
    m_scheduler->LookupSelected();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_TOO_MANY_ERRORS);
    // The new name failed too and was retried in second passes until it
    // reached the same end.
    EXPECT_EQ(m_doc.GetAt(1)->m_nStatus, STATUS_TOO_MANY_ERRORS);
    EXPECT_EQ(m_doc.GetAt(1)->m_strWhois, "whois: unable to connect to WHOIS server");

    m_scheduler->LookupSelected();
    m_scheduler->OnTimer();
    EXPECT_TRUE(BusyRows().empty());
    EXPECT_FALSE(m_scheduler->IsLookupRunning());
}

TEST_F(LookupSchedulerTest, HintTexts)
{
    EXPECT_EQ(m_scheduler->HintText(),
              QStringLiteral("Use the 'Add Names' option to add domain names to the list. You can also create domain "
                             "names from your keywords using the 'Construct domain names' option."));
    m_doc.AddDomain("a.com");
    m_doc.AddDomain("b.com");
    EXPECT_EQ(m_scheduler->HintText(),
              QStringLiteral("Right click on a domain name and choose 'Check availability' to check if the domain "
                             "is available. [2 Domains, 0 checked, 0 available, 0 taken]"));
    m_doc.AddDomain("c.com");
    m_doc.AddDomain("d.com");
    m_doc.GetAt(0)->m_nStatus = STATUS_TAKEN;
    m_doc.GetAt(1)->m_nStatus = STATUS_AVAILABLE;
    EXPECT_EQ(m_scheduler->HintText(),
              QStringLiteral("Select the domains you want to lookup by clicking on the check boxes to the left of "
                             "each name. [4 Domains, 2 checked, 1 available, 1 taken]"));

    // Running with no server resolved yet.
    m_scheduler->SetOptions(Limits(0, 3600 * 1000));
    m_doc.GetAt(3)->m_bSelected = 1;
    m_scheduler->LookupSelected();
    m_scheduler->OnTimer();
    EXPECT_TRUE(m_scheduler->IsLookupRunning());   // a limit of 0 starts nothing and keeps running
    EXPECT_TRUE(m_scheduler->HintText().startsWith(QStringLiteral("Locating Whois server.")));
    m_scheduler->StopAll();
    EXPECT_FALSE(m_scheduler->IsBusy());
}

TEST_F(LookupSchedulerTest, OptionsAreBoundedOnlyAfterTheDialog)
{
    Settings::MaxConnections.Set(100);
    Settings::ConnectionInterval.Set(1);
    CLookupScheduler atStart(&m_doc, CLookupOptions::FromSettings(CLookupOptions::Moment::AsStored));
    EXPECT_EQ(atStart.Options().m_nMaxConnections, 100);
    atStart.SetOptions(CLookupOptions::FromSettings(CLookupOptions::Moment::AfterOptionsDialog));
    EXPECT_EQ(atStart.Options().m_nMaxConnections, 40);
    Settings::MaxConnections.Set(0);
    atStart.SetOptions(CLookupOptions::FromSettings(CLookupOptions::Moment::AfterOptionsDialog));
    EXPECT_EQ(atStart.Options().m_nMaxConnections, 1);
}

TEST_F(LookupSchedulerTest, FailedResolutionAbortsOnlyNamesEndingWithTheRowText)
{
    // NET is never resolved; two lookups wait for it.
    ASSERT_TRUE(m_doc.AddDomain("x.NET"));
    ASSERT_TRUE(m_doc.AddDomain("y.net"));
    ASSERT_TRUE(m_scheduler->StartLookup(0));
    ASSERT_TRUE(m_scheduler->StartLookup(1));
    g_tldTable.GetAt(1)->m_hResolve = 4242;
    CResolveResult failed;
    failed.m_nError = -2;
    CTLDResolvedEvent ev(4242, failed);
    QCoreApplication::sendEvent(m_scheduler.get(), &ev);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_doc.GetAt(0)->IsBusy(); }, 3000));
    EXPECT_EQ(m_doc.GetAt(0)->m_strWhois, "Unknown 'whois' server (nonexistent.invalid)\r\n");
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_ERROR_FIRST);
    EXPECT_TRUE(m_doc.GetAt(1)->IsBusy());   // other letter case: keeps waiting
    m_scheduler->StopAll();
    ASSERT_TRUE(m_scheduler->WaitUntilIdle(3000));
}

TEST_F(LookupSchedulerTest, SingleLookupsStopAndReset)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::NeverClose());
    m_doc.AddDomain("a.com");
    EXPECT_TRUE(m_scheduler->CanCheckAvailability(0));
    EXPECT_FALSE(m_scheduler->CanCheckAvailability(1));
    m_scheduler->CheckAvailability(0);
    EXPECT_TRUE(m_doc.GetAt(0)->IsBusy());
    EXPECT_FALSE(m_scheduler->IsLookupRunning());
    EXPECT_FALSE(m_scheduler->CanCheckAvailability(0));
    EXPECT_TRUE(m_scheduler->CanStopLookup(0));
    EXPECT_FALSE(m_scheduler->CanResetEntry(0));   // "Checking"
    m_scheduler->StopLookup(0);
    ASSERT_TRUE(m_scheduler->WaitUntilIdle(3000));
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_ERROR_FIRST);

    m_doc.GetAt(0)->m_bSelected = 1;
    m_doc.SetModifiedFlag(false);
    m_scheduler->ResetSelected();
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_UNKNOWN);
    EXPECT_TRUE(m_doc.GetAt(0)->m_strWhois.isEmpty());
    EXPECT_FALSE(m_doc.GetAt(0)->m_dtChecked.IsValid());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_changes.Changes().back(), QStringLiteral("all"));
}

TEST_F(LookupSchedulerTest, DeletingTheListWhileLookupsRun)
{
    m_server.SetDefaultBehaviour(CWhoisBehaviour::NeverClose());
    AddSelected({"a.com", "b.com"});
    m_scheduler->CheckAvailability(0);
    m_scheduler->CheckAvailability(1);
    ASSERT_TRUE(ProcessEventsUntil([&] { return m_server.OpenCount() == 2; }));
    m_changes.Clear();
    m_doc.DeleteAllDomains();   // stops the workers; their results find no record
    EXPECT_EQ(m_doc.GetCount(), 0);
    ASSERT_TRUE(CMainThreadQueue::WaitForThreads(std::chrono::seconds(3)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_changes.IsEmpty());
    EXPECT_FALSE(m_scheduler->IsBusy());
}

TEST_F(LookupSchedulerTest, WatchNotificationIsLogged)
{
    int beeps = 0;
    m_scheduler->SetHost({[&] { ++beeps; }, {}, {}});
    m_doc.AddDomain("watched.com");
    CDomainInfo watched;
    watched.m_strName = "WATCHED.com";
    watched.m_dtChecked = COleDateTime::FromDateTime(QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
    m_scheduler->OnWatchNotification(watched);
    m_scheduler->OnWatchNotification(watched);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(m_changes.Changes(), (QStringList{QStringLiteral("row 0"), QStringLiteral("row 0")}));
    QFile log(m_home.Path() + QStringLiteral("watchlog.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray line = "WATCHED.com changed, logged at " + watched.m_dtChecked.FormatDateTime().toLatin1() + "\r\n";
    EXPECT_EQ(log.readAll(), line + line);
}

TEST_F(LookupSchedulerTest, LookupsResolveOnlyTheServersTheirNamesNeed)
{
    AddSelected({"a.com", "b.com"});
    m_scheduler->LookupSelected();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(m_doc.GetAt(1)->m_nStatus, STATUS_AVAILABLE);
    // The NET row's server was never asked for.
    EXPECT_EQ(g_tldTable.GetAt(1)->m_hResolve, CTLDInfo::kNoRequest);
    EXPECT_FALSE(g_tldTable.GetAt(1)->IsResolved());

    // A name whose TLD has no row uses the row abcd.com finds.
    g_tldTable.RemoveAt(0);
    g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_server.Address())));
    ASSERT_TRUE(m_doc.AddDomain("c.net"));
    g_tldTable.RemoveAt(0);
    m_scheduler->CheckAvailability(2);
    EXPECT_NE(g_tldTable.GetAt(0)->m_hResolve, CTLDInfo::kNoRequest);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_doc.GetAt(2)->IsBusy(); }));
    EXPECT_EQ(m_doc.GetAt(2)->m_nStatus, STATUS_AVAILABLE);
}
