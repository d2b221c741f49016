#include "DocChangeLog.h"
#include "TestSupport.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "base/Settings.h"
#include "base/UserMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class DomainDocTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildDefaultTLDTable();
        m_doc.OnNewDocument();
    }

    QByteArray Saved()
    {
        const QString path = m_home.Path() + QStringLiteral("list.qzn");
        EXPECT_TRUE(Reported(m_doc.OnSaveDocument(path)));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QString WriteFile(const QByteArray& data)
    {
        const QString path = m_home.Path() + QStringLiteral("in.qzn");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return path;
    }

    QByteArrayList Names() const
    {
        QByteArrayList names;
        for (const auto& r : m_doc.Records())
            names << r->m_strName;
        return names;
    }

    ScopedTelvaroHome m_home;
    CDomainDoc m_doc;
    // What a front end would show of a result: its message, if any.
    bool Reported(const CResult& result)
    {
        if (result.HasMessage())
            m_messages << result.Message();
        return result.IsOk();
    }

    QStringList m_messages;
    CDocChangeLog m_changes{m_doc};
};

}

TEST_F(DomainDocTest, AddFindRemove)
{
    EXPECT_TRUE(m_doc.AddDomain("  Example.COM \t"));
    EXPECT_EQ(m_doc.GetAt(0)->m_strName, "Example.COM");
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.AddDomain("example.com"));
    EXPECT_FALSE(m_doc.AddDomain("shop.biz"));
    EXPECT_FALSE(m_doc.AddDomain("-x.com"));
    EXPECT_EQ(m_doc.FindDomain(" EXAMPLE.com "), m_doc.GetAt(0));
    EXPECT_TRUE(m_changes.IsEmpty());   // adding tells no view; the caller does

    EXPECT_TRUE(m_doc.AddDomain("b.net"));
    EXPECT_EQ(m_doc.IndexOf(m_doc.FindDomain("B.NET")), 1);
    EXPECT_TRUE(m_doc.RemoveDomain("example.COM"));
    EXPECT_FALSE(m_doc.RemoveDomain("example.com"));
    EXPECT_EQ(m_doc.IndexOf(m_doc.FindDomain("b.net")), 0);
    EXPECT_TRUE(m_doc.AddDomain("example.com"));
}

TEST_F(DomainDocTest, EntryLimits)
{
    m_doc.m_nMaxEntries = 3;
    EXPECT_TRUE(m_doc.AddDomain("a.com"));
    EXPECT_TRUE(m_doc.AddDomain("b.com"));
    EXPECT_TRUE(m_doc.AddDomain("c.com"));
    EXPECT_FALSE(m_doc.AddDomain("d.com"));
    EXPECT_TRUE(m_doc.RemoveDomain("b.com"));
    EXPECT_TRUE(m_doc.AddDomain("d.com"));

    // However large "Max Entries" is, the file cannot count past 65535.
    Settings::MaxEntries.Set(100000);
    m_doc.OnNewDocument();
    EXPECT_EQ(m_doc.m_nMaxEntries, 100000);
    for (int i = 0; i < 65535; ++i)
        ASSERT_TRUE(m_doc.AddDomain("n" + QByteArray::number(i) + ".com"));
    EXPECT_FALSE(m_doc.AddDomain("one-more.com"));
}

TEST_F(DomainDocTest, FileLayouts)
{
    EXPECT_EQ(Saved(), Bytes({0, 0}));

    m_doc.AddDomain("a.com");
    const QByteArray one = Saved();
    EXPECT_EQ(one.left(19), Bytes({1, 0, 0xFF, 0xFF, 1, 0, 11, 0}) + "CDomainInfo");
    EXPECT_EQ(one.size(), 19 + 1 + 5 + 1 + 4 + 8 + 1);
    EXPECT_FALSE(m_doc.IsModified());

    m_doc.AddDomain("b.com");
    const QByteArray two = Saved();
    EXPECT_EQ(two.mid(0, 2), Bytes({2, 0}));
    EXPECT_EQ(two.mid(one.size(), 2), Bytes({0x01, 0x80}));
    EXPECT_EQ(two.mid(one.size() + 2, 6), Bytes({5}) + "b.com");
}

TEST_F(DomainDocTest, LoadReclassifiesAndRoundTrips)
{
    for (const char* n : {"a.com", "b.com", "c.com", "d.com"})
        m_doc.AddDomain(n);
    m_doc.GetAt(0)->m_strWhois = "No match for \"A.COM\".";
    m_doc.GetAt(0)->m_nStatus = STATUS_ERROR_FIRST + 2;
    m_doc.GetAt(1)->m_strWhois = "Registrar: x\r\nno match";
    m_doc.GetAt(2)->m_strWhois = "whois: unable to connect to WHOIS server";
    m_doc.GetAt(2)->m_nStatus = 7;
    m_doc.GetAt(3)->m_nStatus = 6;   // empty answer
    m_doc.GetAt(3)->m_strDNS = "Error";
    m_doc.GetAt(3)->m_bSelected = 1;
    const QByteArray data = Saved();

    m_changes.Clear();
    ASSERT_TRUE(Reported(m_doc.OnOpenDocument(WriteFile(data))));
    EXPECT_EQ(m_changes.Changes(), QStringList{QStringLiteral("rebuilt")});
    ASSERT_EQ(m_doc.GetCount(), 4);
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(m_doc.GetAt(1)->m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(m_doc.GetAt(2)->m_nStatus, STATUS_UNKNOWN);   // error texts load as Unknown
    EXPECT_EQ(m_doc.GetAt(3)->m_nStatus, STATUS_UNKNOWN);
    EXPECT_EQ(m_doc.GetAt(3)->m_strDNS, "Error");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.IsPartiallyLoaded());
    EXPECT_EQ(m_doc.GetTitle(), QStringLiteral("in.qzn"));
    EXPECT_EQ(Saved(), data);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(DomainDocTest, DamagedFilesLoadWhatCameBeforeTheDamage)
{
    for (const char* n : {"a.com", "b.com", "c.com", "d.com"})
        m_doc.AddDomain(n);
    const QByteArray data = Saved();
    const qsizetype third = data.indexOf("c.com");

    ASSERT_TRUE(Reported(m_doc.OnOpenDocument(WriteFile(data.left(third + 3)))));
    EXPECT_EQ(Names(), (QByteArrayList{"a.com", "b.com"}));
    EXPECT_TRUE(m_doc.IsPartiallyLoaded());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("in.qzn")));
    EXPECT_TRUE(m_doc.AddDomain("a2.com"));   // the index matches what loaded
    EXPECT_FALSE(m_doc.AddDomain("B.com"));

    // Nothing readable at all: not a list, and the open list stays.
    EXPECT_FALSE(Reported(m_doc.OnOpenDocument(WriteFile(Bytes({9})))));
    EXPECT_EQ(Names(), (QByteArrayList{"a.com", "b.com", "a2.com"}));
    EXPECT_FALSE(Reported(m_doc.OnOpenDocument(WriteFile("This is a text file, not a list."))));
    EXPECT_EQ(m_doc.GetCount(), 3);

    QByteArray nullRecord = data;
    nullRecord[data.indexOf("b.com") - 3] = 0;
    nullRecord[data.indexOf("b.com") - 2] = 0;
    ASSERT_TRUE(Reported(m_doc.OnOpenDocument(WriteFile(nullRecord))));
    EXPECT_EQ(Names(), QByteArrayList{"a.com"});
    EXPECT_EQ(m_messages.size(), 4);

    // A file that cannot be read at all leaves the list as it was.
    EXPECT_FALSE(Reported(m_doc.OnOpenDocument(m_home.Path() + QStringLiteral("missing.qzn"))));
    EXPECT_EQ(Names(), QByteArrayList{"a.com"});
}

TEST_F(DomainDocTest, FailedSaveIsReportedAndKeepsTheListModified)
{
    m_doc.AddDomain("a.com");
    // A folder where the file should be: no rights let anyone write it.
    const QString path = m_home.Path() + QStringLiteral("folder.qzn");
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_FALSE(Reported(m_doc.OnSaveDocument(path)));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_doc.GetPathName().isEmpty());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(path));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(DomainDocTest, ItemTextsAndSelection)
{
    m_doc.AddDomain("a.com");
    QString text = QStringLiteral("unchanged");
    m_doc.GetItemText(5, 1, text);
    EXPECT_EQ(text, QStringLiteral("unchanged"));
    m_doc.GetItemText(0, 0, text);
    EXPECT_EQ(text, QStringLiteral("1"));
    m_doc.GetItemText(0, 2, text);
    EXPECT_EQ(text, QStringLiteral("Unknown"));
    m_doc.GetItemText(0, 3, text);
    EXPECT_EQ(text, QStringLiteral("-"));
    m_doc.GetItemText(0, 4, text);
    EXPECT_EQ(text, QStringLiteral("No"));
    m_doc.GetItemText(0, 9, text);
    EXPECT_EQ(text, QStringLiteral("No"));

    m_doc.SetModifiedFlag(false);
    m_doc.SetSelected(0, 1);
    m_doc.SetSelected(3, 1);
    EXPECT_EQ(m_changes.Changes(), QStringList{QStringLiteral("row 0")});
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.GetItemText(0, 4, text);
    EXPECT_EQ(text, QStringLiteral("Yes"));
    m_doc.GetAt(0)->m_dtChecked = COleDateTime::FromDateTime(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    m_doc.GetItemText(0, 3, text);
    EXPECT_TRUE(text.contains(QStringLiteral(", ")));
    EXPECT_TRUE(text.contains(QStringLiteral("04")));
}

TEST_F(DomainDocTest, RemoveIfAndDeleteAll)
{
    for (const char* n : {"a.com", "b.com", "c.com", "d.com"})
        m_doc.AddDomain(n);
    m_doc.GetAt(1)->m_nStatus = STATUS_TAKEN;
    m_doc.GetAt(3)->m_nStatus = STATUS_TAKEN;
    EXPECT_EQ(m_doc.RemoveIf([](const CDomainInfo& r) { return r.m_nStatus == STATUS_TAKEN; }), 2);
    EXPECT_EQ(Names(), (QByteArrayList{"a.com", "c.com"}));
    EXPECT_TRUE(m_doc.AddDomain("b.com"));
    EXPECT_EQ(m_doc.IndexOf(m_doc.FindDomain("c.com")), 1);
    m_doc.DeleteAllDomains();
    EXPECT_EQ(m_doc.GetCount(), 0);
    EXPECT_EQ(m_doc.FindDomain("a.com"), nullptr);
}

TEST_F(DomainDocTest, LoadingClassifiesWithTheRulePack)
{
    g_tldTable.Add(std::make_unique<CTLDInfo>("FR", "whois.nic.fr"));
    for (const char* n : {"limited.fr", "free.fr", "taken.fr"})
        ASSERT_TRUE(m_doc.AddDomain(n));
    // What a rate-limited server sent: a free-looking line after the limit.
    m_doc.GetAt(0)->m_strWhois = "WHOIS server: whois.nic.fr, Domain: limited.fr\r\n\r\n"
                                 "%% Too many requests...\r\n%% No entries found in the AFNIC Database.\r\n";
    m_doc.GetAt(1)->m_strWhois = "WHOIS server: whois.nic.fr, Domain: free.fr\r\n\r\n%% No entries found in the AFNIC Database.\r\n";
    m_doc.GetAt(2)->m_strWhois = "WHOIS server: whois.nic.fr, Domain: taken.fr\r\n\r\ndomain:      taken.fr\r\nstatus:      ACTIVE\r\n";
    const QByteArray data = Saved();
    ASSERT_TRUE(Reported(m_doc.OnOpenDocument(WriteFile(data))));
    // An error, never "*AVAILABLE*".
    EXPECT_EQ(m_doc.GetAt(0)->m_nStatus, STATUS_ERROR_FIRST);
    EXPECT_EQ(m_doc.GetAt(1)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(m_doc.GetAt(2)->m_nStatus, STATUS_TAKEN);
}
