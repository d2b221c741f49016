#include "TestSupport.h"
#include "model/TLDTable.h"
#include "base/UserMessage.h"

#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <gtest/gtest.h>

namespace {

class TLDTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildDefaultTLDTable();
    }
    void TearDown() override { g_tldTable.RemoveAll(); }

    QByteArray SavedBytes()
    {
        EXPECT_TRUE(Reported(SaveTLDTable()));
        QFile f(GetTLDFilePath());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    void WriteTLDFile(const QByteArray& data)
    {
        QFile f(GetTLDFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    ScopedTelvaroHome m_home;
    // What a front end would show of a result: its message, if any.
    bool Reported(const CResult& result)
    {
        if (result.HasMessage())
            m_messages << result.Message();
        return result.IsOk();
    }

    QStringList m_messages;
};

// Receives resolution results as the scheduler's window does.
class ResolveReceiver : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != CTLDResolvedEvent::kType)
            return QObject::event(e);
        const auto* resolved = static_cast<CTLDResolvedEvent*>(e);
        results.push_back(OnTLDResolved(resolved->m_nHandle, resolved->m_result));
        return true;
    }
    std::vector<int> results;
};

}

TEST_F(TLDTableTest, DefaultsWithoutAFile)
{
    EXPECT_TRUE(Reported(LoadTLDTable()));
    ASSERT_EQ(g_tldTable.GetSize(), 12);
    const char* expected[] = {"COM", "NET", "ORG", "CO.UK", "NET.UK", "ORG.UK", "LTD.UK", "NU", "CC", "COM.AU",
                              "NET.AU", "HK"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(g_tldTable.GetAt(i)->m_strTLD, expected[i]);
        EXPECT_EQ(g_tldTable.GetAt(i)->m_bSelected, i == 0 ? 1 : 0);
        EXPECT_FALSE(g_tldTable.GetAt(i)->m_strServer.isEmpty());
        EXPECT_TRUE(g_tldTable.GetAt(i)->m_strRegistrar.isEmpty());
    }
    // .org has its own registry's server, not the .com one.
    EXPECT_NE(g_tldTable.GetAt(2)->m_strServer, g_tldTable.GetAt(0)->m_strServer);
    EXPECT_EQ(g_tldTable.GetAt(1)->m_strServer, g_tldTable.GetAt(0)->m_strServer);
    EXPECT_FALSE(QFile::exists(GetTLDFilePath()));
}

TEST_F(TLDTableTest, SavedTableLayoutAndRoundTrip)
{
    g_tldTable.GetAt(3)->m_strRegistrar = "https://registrar.example/?d={D}";
    const QByteArray data = SavedBytes();
    EXPECT_EQ(data.left(16), Bytes({12, 0, 0xFF, 0xFF, 1, 0, 8, 0}) + "CTLDInfo");
    const QByteArray first = data.mid(16, 1 + 3 + 1 + 22 + 1 + 1);
    EXPECT_EQ(first, Bytes({3}) + "COM" + Bytes({22}) + "whois.verisign-grs.com" + Bytes({1, 0}));
    EXPECT_EQ(data.mid(16 + first.size(), 2), Bytes({0x01, 0x80}));
    EXPECT_EQ(data.count(QByteArray("\x01\x80", 2)), 11);

    g_tldTable.RemoveAll();
    EXPECT_TRUE(Reported(LoadTLDTable()));
    ASSERT_EQ(g_tldTable.GetSize(), 12);
    EXPECT_EQ(g_tldTable.GetAt(3)->m_strRegistrar, "https://registrar.example/?d={D}");
    EXPECT_EQ(SavedBytes(), data);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(TLDTableTest, DamagedFilesKeepTheRowsReadSoFar)
{
    const QByteArray good = SavedBytes();
    const qsizetype secondRow = good.indexOf(QByteArray("\x01\x80", 2));

    WriteTLDFile(good.left(secondRow + 5));   // cut inside row 2
    EXPECT_FALSE(Reported(LoadTLDTable()));
    EXPECT_EQ(g_tldTable.GetSize(), 1);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(GetTLDFilePath()));

    WriteTLDFile(Bytes({5}));   // the count itself is cut
    EXPECT_FALSE(Reported(LoadTLDTable()));
    EXPECT_EQ(g_tldTable.GetSize(), 0);

    QByteArray wrongClass = good;
    wrongClass.replace("CTLDInfo", "CTLDInfX");
    WriteTLDFile(wrongClass);
    EXPECT_FALSE(Reported(LoadTLDTable()));
    EXPECT_EQ(g_tldTable.GetSize(), 0);

    QByteArray backRef = good;
    backRef[secondRow] = 0x02;
    backRef[secondRow + 1] = 0x00;
    WriteTLDFile(backRef);
    EXPECT_FALSE(Reported(LoadTLDTable()));
    EXPECT_EQ(g_tldTable.GetSize(), 1);

    WriteTLDFile(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 8, 0}) + "CTLDInfo" + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_FALSE(Reported(LoadTLDTable()));   // a 2 GB length with a few bytes behind it
    EXPECT_EQ(g_tldTable.GetSize(), 0);
    EXPECT_EQ(m_messages.size(), 5);
}

TEST_F(TLDTableTest, FindTLDTriesTwoTails)
{
    EXPECT_EQ(FindTLD("SHOP.Co.Uk"), g_tldTable.GetAt(3));
    EXPECT_EQ(FindTLD("shop.example.com"), g_tldTable.GetAt(0));
    EXPECT_EQ(FindTLD("shop"), nullptr);
    EXPECT_EQ(FindTLD(".com"), nullptr);
    EXPECT_EQ(FindTLD("a.shop.co.uk"), nullptr);
    EXPECT_EQ(GetTLDText("x.net.au"), "NET.AU");
    EXPECT_EQ(GetWhoisServer("x.hk"), g_tldTable.GetAt(11)->m_strServer);
    EXPECT_EQ(GetWhoisServer("x.biz"), "");
    EXPECT_EQ(FindHostEntrySlot("x.ORG"), g_tldTable.GetAt(2)->m_pHostEnt);
    EXPECT_EQ(FindHostEntrySlot("x.biz"), nullptr);
}

TEST_F(TLDTableTest, NameValidation)
{
    for (const char* good : {"shop.com", "my-shop.net", "shop.co.uk", "SHOP.COM", "a1.nu", "x.hk"})
        EXPECT_TRUE(IsValidDomainName(good)) << good;
    for (const char* bad : {"shop", ".com", "-shop.com", "shop-.com", "sh_op.com", "shop.biz", "a.b.com",
                            "shop.gov.uk", "shop.com.", "sh op.com"})
        EXPECT_FALSE(IsValidDomainName(bad)) << bad;

    const QByteArray name67 = QByteArray(63, 'a') + ".com";
    EXPECT_TRUE(IsValidDomainName(name67));
    EXPECT_FALSE(IsValidDomainName(QByteArray(64, 'a') + ".com"));

    g_tldTable.Add(std::make_unique<CTLDInfo>("UK", "whois.nic.uk"));
    EXPECT_TRUE(IsValidDomainName("shop.gov.uk"));
    EXPECT_FALSE(IsValidDomainName("shop.gov.x.uk"));
}

TEST_F(TLDTableTest, SortKinds)
{
    SortTLDTable(0);
    QByteArrayList order;
    for (const auto& row : g_tldTable.m_rows)
        order << row->m_strTLD;
    EXPECT_EQ(order, (QByteArrayList{"CC", "HK", "NU", "COM", "NET", "ORG", "CO.UK", "COM.AU", "LTD.UK", "NET.AU",
                                     "NET.UK", "ORG.UK"}));
    SortTLDTable(1);
    EXPECT_EQ(g_tldTable.GetAt(0)->m_strTLD, "CC");   // ccwhois... first
    EXPECT_EQ(g_tldTable.GetAt(11)->m_strTLD, "NET");   // equal servers keep their order
    SortTLDTable(7);
    EXPECT_EQ(g_tldTable.GetAt(0)->m_strTLD, "CC");
}

TEST_F(TLDTableTest, ResolutionResultsAreDeliveredAndRecorded)
{
    g_tldTable.RemoveAll();
    g_tldTable.Add(std::make_unique<CTLDInfo>("COM", "127.0.0.1:4343"));
    g_tldTable.Add(std::make_unique<CTLDInfo>("NET", "name.invalid"));
    ResolveReceiver receiver;
    EXPECT_TRUE(NoServerResolved());
    ASSERT_TRUE(ResolveWhoisServers(&receiver));
    const int pending = g_tldTable.GetAt(0)->m_hResolve;
    EXPECT_NE(pending, CTLDInfo::kNoRequest);
    ResolveWhoisServers(&receiver);   // rows in flight are not asked again
    EXPECT_EQ(g_tldTable.GetAt(0)->m_hResolve, pending);

    ASSERT_TRUE(ProcessEventsUntil([&] { return receiver.results.size() == 2; }));
    EXPECT_NE(std::find(receiver.results.begin(), receiver.results.end(), 0), receiver.results.end());
    EXPECT_NE(std::find(receiver.results.begin(), receiver.results.end(), ~1), receiver.results.end());
    EXPECT_FALSE(NoServerResolved());
    const auto entry = g_tldTable.GetAt(0)->m_pHostEnt->Get();
    ASSERT_TRUE(entry);
    ASSERT_EQ(entry->m_addresses.size(), 1u);
    EXPECT_EQ(ntohs(reinterpret_cast<const sockaddr_in&>(entry->m_addresses[0].m_addr).sin_port), 4343);
    EXPECT_EQ(g_tldTable.GetAt(0)->m_hResolve, CTLDInfo::kNoRequest);

    // An answer whose handle no row waits for changes nothing.
    EXPECT_EQ(OnTLDResolved(pending, CResolveResult()), 2);
    EXPECT_TRUE(g_tldTable.GetAt(0)->IsResolved());

    ResetTLDResolution();
    EXPECT_TRUE(NoServerResolved());
}

TEST(ServerText, HostAndPort)
{
    QByteArray host;
    uint16_t port;
    SplitServerText("whois.example.net", &host, &port);
    EXPECT_EQ(host, "whois.example.net");
    EXPECT_EQ(port, 43);
    SplitServerText("127.0.0.1:4343", &host, &port);
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, 4343);
    SplitServerText("[::1]:99", &host, &port);
    EXPECT_EQ(host, "::1");
    EXPECT_EQ(port, 99);
    SplitServerText("::1", &host, &port);
    EXPECT_EQ(host, "::1");
    EXPECT_EQ(port, 43);
    SplitServerText("host:99999", &host, &port);
    EXPECT_EQ(host, "host:99999");
    EXPECT_EQ(port, 43);
}

TEST_F(TLDTableTest, ExitSavesOnlyWhatThisProgramChanged)
{
    // Defaults with no file yet: written at exit.
    ASSERT_TRUE(Reported(LoadTLDTable()));
    EXPECT_TRUE(Reported(SaveTLDTableIfChanged()));
    EXPECT_TRUE(QFile::exists(GetTLDFilePath()));

    // Someone else changes the file; this program's unchanged table leaves it.
    ASSERT_TRUE(Reported(LoadTLDTable()));
    QByteArray other = [] { QFile f(GetTLDFilePath()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    other.replace("whois.hkirc.hk", "127.0.0.1:4343");
    WriteTLDFile(other);
    EXPECT_TRUE(Reported(SaveTLDTableIfChanged()));
    QFile f(GetTLDFilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), other);
    f.close();

    // A change made here is written back.
    g_tldTable.GetAt(1)->m_bSelected = 1;
    EXPECT_TRUE(Reported(SaveTLDTableIfChanged()));
    ASSERT_TRUE(Reported(LoadTLDTable()));
    EXPECT_EQ(g_tldTable.GetAt(1)->m_bSelected, 1);
}
