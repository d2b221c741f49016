#include "LoopbackWhoisServer.h"
#include "TestSupport.h"
#include "lookup/ControlNames.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"

#include <gtest/gtest.h>

namespace {

CVerdict VerdictOf(VerdictKind kind)
{
    CVerdict verdict;
    verdict.m_nKind = kind;
    return verdict;
}

}

TEST(ControlNames, AKnownNameIsAskedFirstAndAfterEveryFiftyVerdicts)
{
    CControlNames controls;
    controls.Clear({"known.com"});
    EXPECT_EQ(controls.Due("s", "COM"), "known.com");
    controls.Started("s", true);
    EXPECT_TRUE(controls.Due("s", "COM").isEmpty());   // one at a time
    EXPECT_FALSE(controls.OnControlAnswer("s", VerdictOf(VerdictKind::Taken)).m_bLying);
    for (int i = 0; i < CControlNames::kEvery - 1; ++i)
        controls.CountVerdict("s", "n" + QByteArray::number(i) + ".com");
    EXPECT_TRUE(controls.Due("s", "COM").isEmpty());
    controls.CountVerdict("s", "last.com");
    EXPECT_EQ(controls.Due("s", "COM"), "known.com");
    controls.Started("s", true);
    const CControlNames::CAnswer answer = controls.OnControlAnswer("s", VerdictOf(VerdictKind::Free));
    EXPECT_TRUE(answer.m_bLying);
    EXPECT_EQ(answer.m_voided.size(), CControlNames::kEvery);
    EXPECT_EQ(answer.m_voided.back(), "last.com");
    // A liar is checked again before anything else; a failed control too.
    EXPECT_EQ(controls.Due("s", "COM"), "known.com");
    controls.Started("s", true);
    EXPECT_FALSE(controls.OnControlAnswer("s", VerdictOf(VerdictKind::RateLimited)).m_bLying);
    EXPECT_EQ(controls.Due("s", "COM"), "known.com");
}

TEST(ControlNames, TheSnapshotsNamesVouchOnlyForItsOwnServer)
{
    CControlNames controls;
    controls.Clear();
    EXPECT_FALSE(controls.KnownNames("COM", "whois.verisign-grs.com").isEmpty());
    EXPECT_TRUE(controls.KnownNames("COM", "127.0.0.1:4343").isEmpty());
    EXPECT_TRUE(controls.Due("127.0.0.1:4343", "COM").isEmpty());   // nothing known: not held back
    EXPECT_FALSE(controls.KnownNames("INFO", "rdap.donuts.co").isEmpty());
}

namespace {

// A registry that answers "taken" for everything, until it is made to lie
// about the control name.
class LyingServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_server.Address())));
        m_doc.OnNewDocument();
        m_doc.m_nMaxEntries = 1000;
        CLookupOptions options;
        options.m_nMaxConnections = 1;   // one at a time: the order is known
        options.m_nIntervalMs = 3600 * 1000;
        options.m_nServerConnections = 1;
        options.m_controlNames = {"known.com"};
        m_scheduler = std::make_unique<CLookupScheduler>(&m_doc, options);
        for (int i = 0; i < CControlNames::kEvery + 10; ++i) {
            ASSERT_TRUE(m_doc.AddDomain("n" + QByteArray::number(i) + ".com"));
            m_doc.GetAt(i)->m_bSelected = 1;
        }
    }
    void TearDown() override
    {
        m_scheduler.reset();
        g_tldTable.RemoveAll();
    }

    ScopedTelvaroHome m_home;
    CLoopbackWhoisServer m_server{CWhoisBehaviour::Template("Registrar: Example\r\nDomain Name: %s\r\n")};
    CDomainDoc m_doc;
    std::unique_ptr<CLookupScheduler> m_scheduler;
};

}

TEST_F(LyingServerTest, AControlNameCalledFreeVoidsExactlyTheVerdictsSinceTheLastGoodOne)
{
    std::vector<QString> pauses;
    std::vector<std::vector<uint8_t>> statusesAtPause;
    QObject::connect(m_scheduler.get(), &CLookupScheduler::ServerPaused, [&](const QString&, int, const QString& reason) {
        pauses.push_back(reason);
        std::vector<uint8_t> statuses;
        for (const auto& r : m_doc.Records())
            statuses.push_back(r->m_nStatus);
        statusesAtPause.push_back(statuses);
        // Truthful again for the check after the pause.
        m_server.SetBehaviour("known.com", CWhoisBehaviour::Template("Registrar: Example\r\nDomain Name: %s\r\n"));
    });
    // The first fifty verdicts come before the second control, which lies.
    int verdicts = 0;
    QObject::connect(m_scheduler.get(), &CLookupScheduler::LookupFinished, [&](int) {
        if (++verdicts == CControlNames::kEvery)
            m_server.SetBehaviour("known.com", CWhoisBehaviour::Answer("No match for \"KNOWN.COM\".\r\n"));
    });

    m_scheduler->LookupSelected();
    ASSERT_TRUE(ProcessEventsUntil([&] {
        m_scheduler->OnTimer();
        return !pauses.empty();
    }, 30000));
    ASSERT_EQ(pauses.size(), 1u);
    EXPECT_TRUE(pauses[0].contains(QStringLiteral("known.com"))) << pauses[0].toStdString();
    for (int i = 0; i < CControlNames::kEvery + 10; ++i) {
        const uint8_t expected = STATUS_UNKNOWN;   // voided, or never asked
        EXPECT_EQ(statusesAtPause[0][size_t(i)], expected) << i;
    }
    EXPECT_TRUE(m_doc.GetAt(0)->m_strWhois.contains("known.com, a name known to be registered"));
    EXPECT_TRUE(m_doc.GetAt(CControlNames::kEvery)->m_strWhois.isEmpty());   // never asked
    EXPECT_TRUE(m_scheduler->IsLookupRunning());

    // After the pause the server proves truthful and every name ends taken.
    ASSERT_TRUE(ProcessEventsUntil([&] {
        m_scheduler->OnTimer();
        return std::all_of(m_doc.Records().begin(), m_doc.Records().end(),
                           [](const auto& r) { return r->m_nStatus == STATUS_TAKEN; });
    }, 30000));
    // Asked first, after fifty, after the pause, and after fifty again.
    const auto requests = m_server.Requests();
    EXPECT_EQ(std::count(requests.begin(), requests.end(), std::string("known.com\r\n")), 4);
}
