#include "TestSupport.h"
#include "model/SampleWholist.h"
#include "model/TLDFacts.h"
#include "model/TLDResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The TLD import's reading of a "tld: whois server" file: only the first
// colon counts, both parts trimmed, the TLD upper-cased and the server
// lower-cased; lines without a colon, or starting with it, are skipped.
std::map<QByteArray, QByteArray> ImportLines(const QByteArray& text, int* pSkipped)
{
    std::map<QByteArray, QByteArray> rows;
    *pSkipped = 0;
    QByteArray unified = text;
    unified.replace('\r', '\n');
    for (const QByteArray& line : unified.split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        const QByteArray tld = line.left(colon).trimmed().toUpper();
        const QByteArray server = line.mid(colon + 1).trimmed().toLower();
        if (colon <= 0 || tld.isEmpty() || server.isEmpty()) {
            ++*pSkipped;
            continue;
        }
        rows[tld] = server;
    }
    return rows;
}

QByteArray ShippedWholist()
{
    QByteArray text;
    QString error;
    EXPECT_TRUE(ReadTLDResource(kSampleWholistResource, &text, &error)) << error.toStdString();
    return text;
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(data);
}

}

// First: nothing else in this binary touches the snapshot, so the threads
// race for its first parse.
TEST(TLDFactsTest, FirstUseFromManyThreads)
{
    std::vector<const CTLDFact*> found(4, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < found.size(); ++i)
        threads.emplace_back([&found, i] { found[i] = CTLDFacts::Shipped().Find(i % 2 ? "COM" : ".net"); });
    for (auto& t : threads)
        t.join();
    for (size_t i = 0; i < found.size(); ++i) {
        ASSERT_NE(found[i], nullptr);
        EXPECT_EQ(found[i]->m_strTLD, i % 2 ? "com" : "net");
    }
}

TEST(TLDFactsTest, LookupIgnoresCaseAndLeadingDot)
{
    const CTLDFacts& facts = CTLDFacts::Shipped();
    const CTLDFact* com = facts.Find("com");
    ASSERT_NE(com, nullptr);
    EXPECT_EQ(facts.Find("COM"), com);
    EXPECT_EQ(facts.Find(".com"), com);
    EXPECT_EQ(facts.Find(".CoM"), com);
    EXPECT_EQ(facts.Find("XN--P1AI"), facts.Find("xn--p1ai"));
    EXPECT_NE(facts.Find("xn--p1ai"), nullptr);

    EXPECT_EQ(facts.Find(""), nullptr);
    EXPECT_EQ(facts.Find("."), nullptr);
    EXPECT_EQ(facts.Find("..com"), nullptr);
    EXPECT_EQ(facts.Find("com."), nullptr);
    EXPECT_EQ(facts.Find("nosuchtld"), nullptr);

    // Multi-label suffixes have no rows; only the fallback reaches their
    // last label.
    EXPECT_EQ(facts.Find("co.uk"), nullptr);
    ASSERT_NE(facts.Find("uk"), nullptr);
    EXPECT_EQ(facts.FindOrLastLabel("CO.UK"), facts.Find("uk"));
    EXPECT_EQ(facts.FindOrLastLabel(".com.au"), facts.Find("au"));
    EXPECT_EQ(facts.FindOrLastLabel("io"), facts.Find("io"));
    EXPECT_EQ(facts.FindOrLastLabel("shop.nosuchtld"), nullptr);
    EXPECT_EQ(facts.FindOrLastLabel("uk."), nullptr);
}

TEST(TLDFactsTest, ShippedDataCarriesRecentRegistryChanges)
{
    const CTLDFacts& facts = CTLDFacts::Shipped();
    EXPECT_TRUE(facts.GetSkippedLines().isEmpty()) << facts.GetSkippedLines().size() << " rows skipped";
    EXPECT_GT(facts.GetSize(), 1400);

    for (const char* tld : {"info", "mobi", "travel", "pro", "jobs", "dev", "app"}) {
        const CTLDFact* fact = facts.Find(tld);
        ASSERT_NE(fact, nullptr) << tld;
        EXPECT_FALSE(fact->HasWhoisServer()) << tld;
        ASSERT_FALSE(fact->m_arrRdapURLs.isEmpty()) << tld;
        EXPECT_TRUE(fact->m_arrRdapURLs.front().startsWith("https://")) << tld;
    }
    EXPECT_EQ(facts.Find("info")->m_arrRdapURLs.front(), "https://rdap.donuts.co/rdap/");

    ASSERT_NE(facts.Find("co"), nullptr);
    EXPECT_EQ(facts.Find("co")->m_strWhoisServer, "whois.registry.co");
    EXPECT_EQ(facts.Find("co")->m_kind, ETLDKind::CountryCode);
    EXPECT_EQ(facts.Find("com")->m_strWhoisServer, "whois.verisign-grs.com");
    EXPECT_EQ(facts.Find("com")->m_kind, ETLDKind::Generic);

    const CTLDFact* io = facts.Find("io");
    ASSERT_NE(io, nullptr);
    ASSERT_FALSE(io->m_arrSampleNames.isEmpty());
    EXPECT_LE(io->m_arrSampleNames.size(), 3);
    for (const QByteArray& name : io->m_arrSampleNames)
        EXPECT_TRUE(name.endsWith(".io")) << name.constData();
}

TEST(TLDFactsTest, ShippedRdapListsPutHttpsFirst)
{
    const CTLDFacts& facts = CTLDFacts::Shipped();
    qsizetype withRdap = 0;
    for (qsizetype i = 0; i < facts.GetSize(); ++i) {
        const CTLDFact& fact = facts.GetAt(i);
        bool seenHttp = false;
        for (const QByteArray& url : fact.m_arrRdapURLs) {
            EXPECT_TRUE(url.endsWith('/')) << url.constData();
            EXPECT_FALSE(url.endsWith("/domain/")) << url.constData();
            const bool https = url.startsWith("https://");
            EXPECT_FALSE(https && seenHttp) << fact.m_strTLD.constData();
            seenHttp = seenHttp || !https;
        }
        withRdap += fact.m_arrRdapURLs.isEmpty() ? 0 : 1;
    }
    EXPECT_GT(withRdap, 1000);
}

TEST(TLDFactsTest, WholistNamesEveryServerOfTheSnapshot)
{
    int skipped = 0;
    const std::map<QByteArray, QByteArray> imported = ImportLines(ShippedWholist(), &skipped);
    EXPECT_EQ(skipped, 0);

    const CTLDFacts& facts = CTLDFacts::Shipped();
    size_t withWhois = 0;
    for (qsizetype i = 0; i < facts.GetSize(); ++i) {
        const CTLDFact& fact = facts.GetAt(i);
        const auto it = imported.find(fact.m_strTLD.toUpper());
        if (!fact.HasWhoisServer()) {
            // RDAP only: its first https base, or nothing without one.
            QByteArray https;
            for (const QByteArray& url : fact.m_arrRdapURLs) {
                if (https.isEmpty() && url.startsWith("https://"))
                    https = url;
            }
            if (https.isEmpty()) {
                EXPECT_EQ(it, imported.end()) << fact.m_strTLD.constData();
            } else {
                ++withWhois;
                ASSERT_NE(it, imported.end()) << fact.m_strTLD.constData();
                EXPECT_EQ(it->second, https.toLower());
            }
            continue;
        }
        ++withWhois;
        ASSERT_NE(it, imported.end()) << fact.m_strTLD.constData();
        EXPECT_EQ(it->second, fact.m_strWhoisServer);
    }
    EXPECT_EQ(imported.size(), withWhois);
    EXPECT_EQ(imported.at("COM"), "whois.verisign-grs.com");
    EXPECT_EQ(imported.at("INFO"), "https://rdap.donuts.co/rdap/");
}

TEST(TLDFactsTest, ImportRulesOnHandWrittenLines)
{
    int skipped = 0;
    const auto rows = ImportLines(" Co.UK :  WHOIS.Nic.UK \r\nno colon here\n: starts with colon\r\r"
                                  "info: https://rdap.example/\nnet:\n",
                                  &skipped);
    EXPECT_EQ(skipped, 3);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.at("CO.UK"), "whois.nic.uk");
    // Only the first colon splits.
    EXPECT_EQ(rows.at("INFO"), "https://rdap.example/");
}

TEST(TLDFactsTest, DamagedRowsAreSkipped)
{
    static const char kNulRow[] = "nul\0x\t\t\t\tgeneric\n";
    const QByteArray text = "# tld\twhois\trdap\tsamples\tkind\n"
                            "\n"
                            "ok\twhois.nic.ok\thttps://rdap.nic.ok/ http://rdap.nic.ok/v1/\tnic.ok shop.ok\tgeneric\r\n"
                            "Upper\tWHOIS.NIC.UPPER:4343\thttps://rdap.example/UPPER/\tNIC.UPPER\tcountry-code\n"
                            "bare\t\t\t\tsponsored\n"
                            "toofew\twhois.nic.toofew\t\tgeneric\n"                          // 6
                            "toomany\twhois.nic.toomany\t\t\tgeneric\textra\n"                // 7
                            "bad_tld\twhois.nic.bad\t\t\tgeneric\n"                           // 8
                            "co.uk\twhois.nic.uk\t\t\tcountry-code\n"                         // 9
                            "-dash\twhois.nic.dash\t\t\tgeneric\n"                            // 10
                            "host\twho is.example\t\t\tgeneric\n"                             // 11
                            "port\twhois.example:99999\t\t\tgeneric\n"                        // 12
                            "dots\twhois..example\t\t\tgeneric\n"                             // 13
                            "slash\t\thttps://rdap.example/v1\t\tgeneric\n"                   // 14
                            "scheme\t\tftp://rdap.example/\t\tgeneric\n"                      // 15
                            "nohost\t\thttps:///\t\tgeneric\n"                                // 16
                            "sample\t\t\tshop.net\tgeneric\n"                                 // 17
                            "deep\t\t\ta.b.deep\tgeneric\n"                                   // 18
                            "kind\t\t\t\tunknown\n"                                           // 19
                            "ok\twhois.other.ok\t\t\tgeneric\n"                               // 20
                            "\xC3\xA9t\t\t\t\tgeneric\n"                                      // 21
                            + QByteArray(kNulRow, sizeof(kNulRow) - 1)                         // 22
                            + "last\twhois.nic.last\t\t\ttest";
    const CTLDFacts facts = CTLDFacts::Parse(text);
    EXPECT_EQ(facts.GetSkippedLines(),
              QList<int>({6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}));
    ASSERT_EQ(facts.GetSize(), 4);

    const CTLDFact* ok = facts.Find("ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->m_strWhoisServer, "whois.nic.ok");
    EXPECT_EQ(ok->m_arrRdapURLs, QByteArrayList({"https://rdap.nic.ok/", "http://rdap.nic.ok/v1/"}));
    EXPECT_EQ(ok->m_arrSampleNames, QByteArrayList({"nic.ok", "shop.ok"}));

    // TLD, host and names fold to lower case; an RDAP path keeps its case.
    const CTLDFact* upper = facts.Find("upper");
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(upper->m_strTLD, "upper");
    EXPECT_EQ(upper->m_strWhoisServer, "whois.nic.upper:4343");
    EXPECT_EQ(upper->m_arrRdapURLs, QByteArrayList({"https://rdap.example/UPPER/"}));
    EXPECT_EQ(upper->m_arrSampleNames, QByteArrayList({"nic.upper"}));
    EXPECT_EQ(upper->m_kind, ETLDKind::CountryCode);

    const CTLDFact* bare = facts.Find("bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_FALSE(bare->HasWhoisServer());
    EXPECT_TRUE(bare->m_arrRdapURLs.isEmpty());
    EXPECT_TRUE(bare->m_arrSampleNames.isEmpty());
    EXPECT_EQ(bare->m_kind, ETLDKind::Sponsored);

    ASSERT_NE(facts.Find("last"), nullptr);
    EXPECT_EQ(facts.Find("last")->m_kind, ETLDKind::Test);
}

TEST(TLDFactsTest, TextWithoutRowsGivesNoFacts)
{
    EXPECT_EQ(CTLDFacts::Parse("").GetSize(), 0);
    EXPECT_EQ(CTLDFacts::Parse("\n\n# only notes\n").GetSize(), 0);
    const CTLDFacts binary = CTLDFacts::Parse(QByteArray(4096, '\t') + QByteArray(4096, '\xFF'));
    EXPECT_EQ(binary.GetSize(), 0);
    EXPECT_EQ(binary.GetSkippedLines(), QList<int>({1}));
}

TEST(TLDFactsTest, InstallPutsTheSampleInAnEmptyFolder)
{
    ScopedTelvaroHome home;
    QString error;
    error = InstallSampleWholist().Message();
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(GetSampleWholistPath(), home.Path() + QStringLiteral("wholist.txt"));
    EXPECT_EQ(ReadFile(GetSampleWholistPath()), ShippedWholist());
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(home.Path()).entryList(QDir::Files), QStringList({QStringLiteral("wholist.txt")}));
}

TEST(TLDFactsTest, InstallNeverReplacesAnExistingFile)
{
    ScopedTelvaroHome home;
    WriteFile(GetSampleWholistPath(), "mine: whois.example\n");
    QString error;
    error = InstallSampleWholist().Message();
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(ReadFile(GetSampleWholistPath()), "mine: whois.example\n");

    // Nor a link whose target is gone.
    ASSERT_TRUE(QFile::remove(GetSampleWholistPath()));
    ASSERT_TRUE(QFile::link(home.Path() + QStringLiteral("gone.txt"), GetSampleWholistPath()));
    error = InstallSampleWholist().Message();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(home.Path() + QStringLiteral("gone.txt")));
    EXPECT_TRUE(QFileInfo(GetSampleWholistPath()).isSymLink());
}

TEST(TLDFactsTest, InstallReportsAFolderThatCannotBeWritten)
{
    ScopedTelvaroHome home;
    const QString notAFolder = home.Path() + QStringLiteral("plain-file");
    WriteFile(notAFolder, "x");
    qputenv("TELVARO_HOME", notAFolder.toLocal8Bit());
    QString error;
    error = InstallSampleWholist().Message();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("wholist.txt"))) << error.toStdString();
    EXPECT_EQ(ReadFile(notAFolder), "x");
}
