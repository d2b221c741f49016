#include "model/TLDFacts.h"
#include "model/TLDResources.h"
#include "model/TLDTable.h"
#include "names/WhoisImport.h"

#include <gtest/gtest.h>

namespace {

class WhoisImportTest : public ::testing::Test
{
protected:
    void SetUp() override { BuildDefaultTLDTable(); }
    void TearDown() override { g_tldTable.RemoveAll(); }

    CWhoisImportCount Import(QByteArrayView text, int* pSkipped = nullptr)
    {
        return ImportWhoisServers(g_tldTable, ParseWhoisImport(text, pSkipped));
    }
};

}

TEST(WhoisImportLine, PartsAreTrimmedTldUpperServerLower)
{
    const auto entry = ParseWhoisImportLine("  Co.UK \t:  WHOIS.Nic.UK  ");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->m_strTLD, "CO.UK");
    EXPECT_EQ(entry->m_strServer, "whois.nic.uk");

    // Only the first colon divides; a port stays with the server.
    const auto withPort = ParseWhoisImportLine("io:127.0.0.1:4343");
    ASSERT_TRUE(withPort);
    EXPECT_EQ(withPort->m_strTLD, "IO");
    EXPECT_EQ(withPort->m_strServer, "127.0.0.1:4343");

    for (const char* line : {"no colon here", ": whois.nic.io", ":", "io:", "io:   ", " : whois.nic.io", "\t:x"})
        EXPECT_FALSE(ParseWhoisImportLine(line)) << line;
    // Bytes beyond ASCII have no case and pass unchanged.
    EXPECT_EQ(ParseWhoisImportLine("caf\xe9: Host\xc9")->m_strServer, "host\xc9");
}

TEST(WhoisImportLine, UrlsKeepTheirPathAsWritten)
{
    EXPECT_EQ(ImportServerText("HTTPS://RDAP.ZdnsGTLD.com/XN--45Q11C/"), "https://rdap.zdnsgtld.com/XN--45Q11C/");
    EXPECT_EQ(ImportServerText("Http://Host:8080/Path?Q=A#F"), "http://host:8080/Path?Q=A#F");
    EXPECT_EQ(ImportServerText("https://Host.Example"), "https://host.example");
    EXPECT_EQ(ImportServerText("https://Host?Q=A"), "https://host?Q=A");
    // Not a URL: all of it is a host name.
    EXPECT_EQ(ImportServerText("Whois.Example/ABC"), "whois.example/abc");
    EXPECT_EQ(ImportServerText("ftp://Host/ABC"), "ftp://host/abc");
    EXPECT_EQ(ParseWhoisImportLine("xn--efvy88h: https://rdap.zdnsgtld.com/XN--EFVY88H/")->m_strServer,
              "https://rdap.zdnsgtld.com/XN--EFVY88H/");
}

TEST_F(WhoisImportTest, LinesOfEveryEndingAndWhatDoesNotFit)
{
    int skipped = -1;
    const QList<CWhoisImportEntry> entries =
        ParseWhoisImport("io: a.example\r\nde:b.example\rai : c.example\n\n\r\n: lost\nno colon\n co : d.example", &skipped);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[1].m_strTLD, "DE");
    EXPECT_EQ(entries[2].m_strTLD, "AI");
    EXPECT_EQ(entries[3].m_strServer, "d.example");
    EXPECT_EQ(skipped, 2);   // empty lines are not counted
    ParseWhoisImport("", &skipped);
    EXPECT_EQ(skipped, 0);
}

TEST_F(WhoisImportTest, ExistingRowsOfAnotherCaseKeepTheirText)
{
    g_tldTable.Add(std::make_shared<CTLDInfo>("shop", "old.example"));
    const CWhoisImportCount count = Import(" Shop : NEW.Example\nco.uk: whois.nic.uk\nio: whois.nic.io\nIO: whois2.nic.io\n");
    EXPECT_EQ(count.m_nAdded, 1);
    EXPECT_EQ(count.m_nUpdated, 2);     // shop, then the second io line
    EXPECT_EQ(count.m_nUnchanged, 1);   // co.uk
    EXPECT_EQ(g_tldTable.GetSize(), 14);
    EXPECT_EQ(g_tldTable.GetAt(12)->m_strTLD, "shop");
    EXPECT_EQ(g_tldTable.GetAt(12)->m_strServer, "new.example");
    EXPECT_EQ(g_tldTable.GetAt(13)->m_strTLD, "IO");
    EXPECT_EQ(g_tldTable.GetAt(13)->m_strServer, "whois2.nic.io");
    EXPECT_EQ(g_tldTable.GetAt(13)->m_bSelected, 0);
}

// The shipped sample gives every TLD that still has a port-43 server; the
// twelve defaults keep their place, text and tick (their servers follow the
// file).
TEST_F(WhoisImportTest, TheSampleFileAddsEveryTldWithAWhoisServer)
{
    QByteArray sample;
    QString error;
    InitTLDResources();
    ASSERT_TRUE(ReadTLDResource(kSampleWholistResource, &sample, &error)) << error.toStdString();
    std::vector<QByteArray> before;
    for (const auto& row : g_tldTable.m_rows)
        before.push_back(row->m_strTLD + ' ' + QByteArray::number(row->m_bSelected));

    int skipped = -1;
    const CWhoisImportCount count = Import(sample, &skipped);
    EXPECT_EQ(skipped, 0);
    for (size_t i = 0; i < before.size(); ++i) {
        const CTLDInfo* row = g_tldTable.GetAt(qsizetype(i));
        EXPECT_EQ(row->m_strTLD + ' ' + QByteArray::number(row->m_bSelected), before[i]);
    }

    const CTLDFacts& facts = CTLDFacts::Shipped();
    int withServer = 0;
    for (qsizetype i = 0; i < facts.GetSize(); ++i) {
        const CTLDFact& fact = facts.GetAt(i);
        const CTLDInfo* row = g_tldTable.FindRow(fact.m_strTLD);
        // Port 43 where the registry serves it, else its first RDAP base.
        const QByteArray expected = fact.HasWhoisServer() ? fact.m_strWhoisServer
                                    : fact.m_arrRdapURLs.isEmpty() ? QByteArray()
                                                                   : fact.m_arrRdapURLs.first();
        if (expected.isEmpty()) {
            EXPECT_EQ(row, nullptr) << fact.m_strTLD.constData();
            continue;
        }
        ++withServer;
        ASSERT_NE(row, nullptr) << fact.m_strTLD.constData();
        EXPECT_EQ(row->m_strServer, expected) << fact.m_strTLD.constData();
    }
    EXPECT_GT(withServer, 1000);
    EXPECT_EQ(count.m_nAdded + count.m_nUnchanged + count.m_nUpdated, withServer);
    EXPECT_EQ(g_tldTable.GetSize(), 12 + count.m_nAdded);
    EXPECT_EQ(GetWhoisServer("shop.co"), "whois.registry.co");
    // .info has served RDAP only since 2026.
    EXPECT_TRUE(GetWhoisServer("shop.info").startsWith("https://"));
}
