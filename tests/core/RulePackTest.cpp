#include "RuleTestSupport.h"
#include "TestSupport.h"
#include "model/DomainInfo.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

VerdictKind KindOf(const CRulePack& pack, const QByteArray& text)
{
    return pack.Classify(text).m_nKind;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}

TEST(RulePack, BundledRulesReadCleanly)
{
    const CRuleFile bundled = CRuleStore::ReadBundled();
    EXPECT_TRUE(bundled.IsValid()) << bundled.m_errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(bundled.m_sections.size(), 30u);
    const auto pack = PackWith();
    ASSERT_TRUE(pack);
    EXPECT_GT(pack->ScopeCount(), 30);
}

TEST(RulePack, PhrasesIgnoreCaseAndBlanksAndHonourLineAnchors)
{
    const auto pack = PackOf("[generic]\nfree ^status: free$\ntaken name server..\nlimit slow   down\n");
    ASSERT_TRUE(pack);
    EXPECT_EQ(KindOf(*pack, "Status:\tFREE\r\r\n"), VerdictKind::Free);
    EXPECT_EQ(KindOf(*pack, "  STATUS:   free   "), VerdictKind::Free);
    EXPECT_EQ(KindOf(*pack, "x\r\n\r\n   status: free\r\nmore"), VerdictKind::Free);
    EXPECT_EQ(KindOf(*pack, "Status: freedom"), VerdictKind::Undetermined);
    EXPECT_EQ(KindOf(*pack, "old status: free"), VerdictKind::Undetermined);
    EXPECT_EQ(KindOf(*pack, "status:\r\nfree"), VerdictKind::Undetermined);
    // A dot is a dot, and a blank in a phrase is any run of blanks.
    EXPECT_EQ(KindOf(*pack, "Name Server..: x"), VerdictKind::Taken);
    EXPECT_EQ(KindOf(*pack, "Name Serverxx: x"), VerdictKind::Undetermined);
    EXPECT_EQ(KindOf(*pack, "please SLOW \t DOWN"), VerdictKind::RateLimited);
    EXPECT_EQ(KindOf(*pack, "slowdown"), VerdictKind::Undetermined);
}

TEST(RulePack, PhrasesFoundAmongOverlappingPrefixes)
{
    // Failure links: "no match" must be found inside "no no matc no match".
    const auto pack = PackOf("[generic]\nfree no match\ntaken no matching record\nlimit nono\n");
    EXPECT_EQ(KindOf(*pack, "no no matc no match"), VerdictKind::Free);
    EXPECT_EQ(KindOf(*pack, "no matching recor no matching record"), VerdictKind::Taken);
    EXPECT_EQ(KindOf(*pack, "nnonono"), VerdictKind::RateLimited);
}

TEST(RulePack, EndRuleIgnoresItsLineAndAllAfter)
{
    const auto pack = PackWith();
    EXPECT_EQ(KindOf(*pack, "No match for x\r\n>>> Last update of whois: registrant"), VerdictKind::Free);
    EXPECT_EQ(KindOf(*pack, ">>> Last update of x <<<\r\nNo match registrant"), VerdictKind::Undetermined);
    // Only at a line start.
    EXPECT_EQ(KindOf(*pack, "No match. see >>> Last update of x, registrant"), VerdictKind::Taken);
    // A "$" phrase that ends the line before the marker still counts.
    const auto anchored = PackOf("[generic]\nend ^stop here\nfree ^free$\n");
    EXPECT_EQ(KindOf(*anchored, "free\nstop here\nfree"), VerdictKind::Free);
    EXPECT_EQ(KindOf(*anchored, "stop here\nfree"), VerdictKind::Undetermined);
    EXPECT_EQ(KindOf(*anchored, "free stop here\nfree"), VerdictKind::Free);
}

TEST(RulePack, OrderLimitsThenServerThenGeneric)
{
    const auto pack = PackOf("[generic]\nlimit slow down\ntaken registrant\nfree no match\n"
                             "[server whois.a.test]\nfree ^available$\ntaken ^status: active$\n"
                             "[server whois.b.test]\nfree ^available$\nfallback taken\n"
                             "[server whois.c.test]\nfree ^available$\nfallback none\n");
    auto kind = [&](const char* host, const char* text) {
        return Classify(*pack, host, "x.test", text).m_nKind;
    };
    // A limit wins over everything, the server's free over generic taken,
    // the server's taken over its free.
    EXPECT_EQ(kind("whois.a.test", "available\nslow down"), VerdictKind::RateLimited);
    EXPECT_EQ(kind("whois.a.test", "available\nregistrant: nobody"), VerdictKind::Free);
    EXPECT_EQ(kind("whois.a.test", "available\nstatus: active"), VerdictKind::Taken);
    // Fallback: all, taken only, none.
    EXPECT_EQ(kind("whois.a.test", "no match"), VerdictKind::Free);
    EXPECT_EQ(kind("whois.b.test", "no match"), VerdictKind::Undetermined);
    EXPECT_EQ(kind("whois.b.test", "no match registrant"), VerdictKind::Taken);
    EXPECT_EQ(kind("whois.c.test", "no match registrant"), VerdictKind::Undetermined);
    EXPECT_EQ(kind("whois.c.test", "registrant slow down"), VerdictKind::RateLimited);
    // Any other server: generic only, taken over free.
    EXPECT_EQ(kind("whois.z.test", "available\nno match registrant"), VerdictKind::Taken);
}

TEST(RulePack, TldSectionsComeBeforeTheirHost)
{
    const auto pack = PackOf("[generic]\nfree no match\n"
                             "[server whois.multi.test]\nfree ^nothing here$\nlimit busy\n"
                             "[server whois.multi.test tld co.test .org.test]\nfree ^available$\ntaken ^nothing here$\n"
                             "[server whois.multi.test tld test]\ntaken ^available$\n");
    auto kind = [&](const char* name, const char* text) {
        return Classify(*pack, "whois.multi.test", name, text).m_nKind;
    };
    EXPECT_EQ(kind("shop.co.test", "available"), VerdictKind::Free);
    EXPECT_EQ(kind("shop.org.test", "nothing here"), VerdictKind::Taken);
    EXPECT_EQ(kind("SHOP.CO.TEST", "busy\navailable"), VerdictKind::RateLimited);   // the host's limits apply
    EXPECT_EQ(kind("shop.test", "available"), VerdictKind::Taken);                 // the longest TLD decides
    EXPECT_EQ(kind("shop.other", "nothing here"), VerdictKind::Free);              // the host's own section
    EXPECT_EQ(kind("shopco.test", "available"), VerdictKind::Taken);               // "co.test" is a label boundary
}

TEST(RulePack, ServerAndNameComeFromTheHeaderLine)
{
    const auto pack = PackOf("[generic]\nfree no match\ntaken registrant\n[server whois.a.test]\nfree ^free$\n"
                             "fallback none\n");
    // The header's name is not part of the answer: registrant.com with a
    // free answer is free, notfound.com with a taken one taken.
    EXPECT_EQ(KindOf(*pack, "WHOIS server: w, Domain: registrant.com\r\n\r\nNo match"), VerdictKind::Free);
    EXPECT_EQ(KindOf(*PackWith(), "WHOIS server: w, Domain: notfound.com\r\n\r\nRegistrar: x"), VerdictKind::Taken);
    EXPECT_EQ(KindOf(*pack, "WHOIS server: WHOIS.A.TEST., Domain: x.test\r\n\r\nfree"), VerdictKind::Free);
    EXPECT_EQ(KindOf(*pack, "WHOIS server: whois.a.test:4343, Domain: x.test\r\n\r\nno match"), VerdictKind::Undetermined);
    // Without a header, or from a host without rules, the fallback server.
    EXPECT_EQ(pack->Classify("free", "whois.a.test").m_nKind, VerdictKind::Free);
    EXPECT_EQ(pack->Classify("WHOIS server: alias.test, Domain: x.test\n\nfree", "whois.a.test").m_nKind,
              VerdictKind::Free);
    EXPECT_EQ(pack->Classify("free").m_nKind, VerdictKind::Undetermined);
    const CVerdict empty = pack->Classify("");
    EXPECT_EQ(empty.m_nKind, VerdictKind::Undetermined);
    EXPECT_EQ(empty.m_strRule, QStringLiteral("empty answer"));
}

TEST(RulePack, WaitTimesAreReadAndBounded)
{
    const auto pack = PackWith("[server whois.w.test]\nlimit slow down\nwait /back in (\\d+)s/\n");
    auto wait = [&](const char* host, const char* text) {
        const CVerdict v = Classify(*pack, host, "x.test", text);
        EXPECT_EQ(v.m_nKind, VerdictKind::RateLimited) << text;
        return v.m_nWaitSeconds;
    };
    EXPECT_EQ(wait("whois.eu", "-1: Still in grace period, wait 7 seconds"), 7);
    EXPECT_EQ(wait("whois.nic.uk", "The WHOIS query quota for 192.0.2.7 has been exceeded and will be\n"
                                   "replenished in 50 seconds."),
              50);
    EXPECT_EQ(wait("whois.dns.be", "% Excessive querying, grace period of 2 seconds"), 2);
    EXPECT_EQ(wait("whois.x.test", "Too many requests. Try again in 30 seconds."), 30);
    EXPECT_EQ(wait("whois.w.test", "slow down, back in 12s"), 12);
    EXPECT_EQ(wait("whois.x.test", "Too many requests"), -1);
    // A stranger's number: never more than a day.
    EXPECT_EQ(wait("whois.eu", "Still in grace period, wait 999999999 seconds"), 86400);
    EXPECT_EQ(wait("whois.w.test", "slow down, back in 99999999999999999999999s"), 86400);
    // Only rate-limited answers carry a wait.
    EXPECT_EQ(Classify(*pack, "whois.x.test", "x.test", "no match, wait 5 seconds").m_nWaitSeconds, -1);
}

TEST(RulePack, PatternRulesDecideInTheirPlace)
{
    const auto pack = PackOf("[generic]\nfree no match\n[server whois.p.test]\nlimit /quota for \\S+ has been exceeded/\n"
                             "taken /^expires: \\d{4}/\nfree ^available$\n");
    auto kind = [&](const char* text) { return Classify(*pack, "whois.p.test", "x.test", text).m_nKind; };
    EXPECT_EQ(kind("The quota for 192.0.2.7 has been exceeded\navailable"), VerdictKind::RateLimited);
    EXPECT_EQ(kind("available\nExpires: 2027-01-01"), VerdictKind::Taken);
    EXPECT_EQ(kind("available\nexpires: soon"), VerdictKind::Free);
    EXPECT_EQ(kind("nothing"), VerdictKind::Undetermined);
}

TEST(RulePack, UserSectionsReplaceBundledOnesAndGenericRulesAdd)
{
    const auto pack = PackWith("[server whois.nic.fr]\nfree ^%% libre$\n"
                               "[generic]\nfree ^vacant$\nlimit hold your horses\n");
    ASSERT_TRUE(pack);
    // The bundled AFNIC rules are gone for whois.nic.fr...
    const CVerdict afnic = Classify(*pack, "whois.nic.fr", "x.fr", "%% No entries found in the AFNIC Database.\n");
    EXPECT_EQ(afnic.m_strRule, QStringLiteral("generic free 'no entries found'"));
    const CVerdict libre = Classify(*pack, "whois.nic.fr", "x.fr", "%% libre\n");
    EXPECT_EQ(libre.m_nKind, VerdictKind::Free);
    EXPECT_EQ(libre.m_strRule, QStringLiteral("whois.nic.fr free '^%% libre$'"));
    EXPECT_EQ(libre.m_strOrigin, QStringLiteral("telvaro.rules line 2"));
    // ... other servers keep theirs, and the user's generic rules join in.
    EXPECT_EQ(Classify(*pack, "whois.denic.de", "x.de", "Domain: x.de\nStatus: free\n").m_nKind, VerdictKind::Free);
    EXPECT_EQ(Classify(*pack, "whois.unknown.test", "x.test", "vacant").m_nKind, VerdictKind::Free);
    EXPECT_EQ(Classify(*pack, "whois.denic.de", "x.de", "Hold your horses\nStatus: free").m_nKind,
              VerdictKind::RateLimited);
    EXPECT_EQ(Classify(*pack, "whois.unknown.test", "x.test", "No match").m_nKind, VerdictKind::Free);
}

TEST(RulePack, DamagedFilesAreReportedWithTheirLine)
{
    struct CCase
    {
        const char* m_szText;
        int m_nLine;
        const char* m_szWhat;
    };
    const CCase cases[] = {
        {"[generic]\nfre no match\n", 2, "unknown rule kind"},
        {"# rules\nfree no match\n", 2, "inside a section"},
        {"[generic]\n\n[server]\nfree x\n", 3, "at least one host"},
        {"[server whois.a.test tld]\n", 1, "at least one TLD"},
        {"[server who/is]\n", 1, "not a host name"},
        {"[servers x]\n", 1, "a section is"},
        {"[generic\n", 1, "ends with ]"},
        {"[generic]\nlimit /(unclosed/\n", 2, "bad pattern"},
        {"[generic]\nwait try again soon\n", 2, "exactly one #"},
        {"[generic]\nwait /again in \\d+/\n", 2, "exactly one ( ) group"},
        {"[generic]\nfree ^$\n", 2, "empty phrase"},
        {"[generic]\nfallback none\n", 2, "server section"},
        {"[server a.test]\nfallback maybe\n", 2, "all, taken or none"},
        {"[server a.test]\nfallback all\nfallback none\n", 3, "once a section"},
        {"[server a.test b.test]\n[server b.test]\n", 2, "already covers b.test"},
        {"[generic]\n[generic]\n", 2, "already covers generic"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_szText);
        const CRuleFile file = CRuleFile::Parse(c.m_szText, QStringLiteral("t"));
        ASSERT_FALSE(file.IsValid());
        EXPECT_TRUE(file.m_errors.front().startsWith(QStringLiteral("line %1: ").arg(c.m_nLine)))
            << file.m_errors.front().toStdString();
        EXPECT_TRUE(file.m_errors.front().contains(QLatin1String(c.m_szWhat))) << file.m_errors.front().toStdString();
    }
    const CRuleFile binary = CRuleFile::Parse(QByteArray("[generic]\nfree a\0b\n", 19), QStringLiteral("t"));
    ASSERT_EQ(binary.m_errors.size(), 1);
    EXPECT_TRUE(binary.m_errors.front().startsWith(QStringLiteral("line 2: holds a NUL byte")));
    // Every damaged line is listed, the rules under a bad header only once.
    const CRuleFile many = CRuleFile::Parse("[generic]\nfre x\n[bad\nfree x\nfree y\n[generic]\n", QStringLiteral("t"));
    ASSERT_EQ(many.m_errors.size(), 3);
    EXPECT_TRUE(many.m_errors[2].startsWith(QStringLiteral("line 6: ")));
}

TEST(RulePack, DamagedUserFileIsSkippedWholeAndBundledRulesStay)
{
    ScopedTelvaroHome home;
    WriteFile(CRuleStore::UserFilePath(), "[generic]\nfree ^vacant$\n\n[server whois.denic.de]\ntaken status: free\n"
                                          "frei status: frei\n");
    QStringList messages;
    const auto pack = CRuleStore::Load(CRuleStore::UserFilePath(), &messages);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(CRuleStore::UserFilePath())) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("line 6: unknown rule kind \"frei\""))) << messages[0].toStdString();
    // None of the user's lines apply, not even the good ones.
    EXPECT_EQ(Classify(*pack, "whois.denic.de", "x.de", "Domain: x.de\nStatus: free\n").m_nKind, VerdictKind::Free);
    EXPECT_EQ(Classify(*pack, "whois.unknown.test", "x.test", "vacant").m_nKind, VerdictKind::Undetermined);

    // A good file is taken, and a missing one is no error.
    WriteFile(CRuleStore::UserFilePath(), "[generic]\nfree ^vacant$\n");
    messages.clear();
    EXPECT_EQ(Classify(*CRuleStore::Load(CRuleStore::UserFilePath(), &messages), "w.test", "x.test", "vacant").m_nKind,
              VerdictKind::Free);
    EXPECT_TRUE(messages.isEmpty());
    QFile::remove(CRuleStore::UserFilePath());
    EXPECT_TRUE(CRuleStore::Reload().isEmpty());
    CRuleStore::Install(nullptr);
}

TEST(RulePack, UnreadableOrHugeUserFileIsReported)
{
    ScopedTelvaroHome home;
    const QString path = CRuleStore::UserFilePath();
    WriteFile(path, QByteArray(CRuleFile::kMaxSize + 1, '#'));
    QStringList messages;
    EXPECT_TRUE(CRuleStore::Load(path, &messages));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("larger than"))) << messages[0].toStdString();

    // A folder where the file should be cannot be read as one.
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));
    messages.clear();
    EXPECT_TRUE(CRuleStore::Load(path, &messages));
    EXPECT_EQ(messages.size(), 1);
}

TEST(RulePack, GenericRulesAgreeWithTodaysKeywords)
{
    const auto pack = PackWith();
    const char* texts[] = {
        "NO MATCH FOR EXAMPLE.COM", "No Match\r\nRegistrar: someone", "x is not a registered domain",
        "Your search returns no relevent records", "Domain Servers in listed order", "Date-Approved: 1999",
        "name serverXX", "whois: unable to connect to WHOIS server", "Unknown 'whois' server (whois.x)\r\n",
        "'whois' server not defined.\r\n", "domain \"free-name-4711.nu\" not found.\r\n", "NOT FOUND\r\n",
        "Domain not found.\r\n>>> Last update of WHOIS database <<<\r\nregistrant", "The domain has not been registered.",
        "No match. see >>> Last update of x, registrant", ">>> Last update of x <<<\r\nNo match registrant",
        "Address: 1 Street", "name servers: a, b", "registrant",
    };
    for (const char* t : texts) {
        SCOPED_TRACE(t);
        const QByteArray text(t);
        EXPECT_EQ(VerdictStatus(pack->Classify(text), STATUS_UNKNOWN, STATUS_ERROR_FIRST),
                  ClassifyText(text, STATUS_UNKNOWN, STATUS_ERROR_FIRST));
    }
}

TEST(RulePack, RateLimitsAreErrorsThatDoNotCount)
{
    CVerdict limited;
    limited.m_nKind = VerdictKind::RateLimited;
    EXPECT_EQ(VerdictStatus(limited, STATUS_AVAILABLE, STATUS_ERROR_FIRST), STATUS_ERROR_FIRST);
    EXPECT_EQ(VerdictStatus(limited, 7, STATUS_ERROR_FIRST), 7);
    EXPECT_EQ(VerdictStatus(limited, 8, STATUS_ERROR_FIRST), 8);
    // Read back from a file it is still an error, never Unknown or a verdict.
    EXPECT_EQ(VerdictStatus(limited, 7, STATUS_UNKNOWN), 7);
    EXPECT_EQ(VerdictStatus(limited, STATUS_UNKNOWN, STATUS_UNKNOWN), STATUS_ERROR_FIRST);
    // No service counts like any failure.
    CVerdict noService;
    noService.m_nKind = VerdictKind::NoService;
    EXPECT_EQ(VerdictStatus(noService, 7, STATUS_ERROR_FIRST), 8);
    EXPECT_EQ(VerdictStatus(noService, 8, STATUS_ERROR_FIRST), STATUS_TOO_MANY_ERRORS);
    EXPECT_EQ(VerdictStatus(noService, STATUS_UNKNOWN, STATUS_UNKNOWN), STATUS_ERROR_FIRST);
    CVerdict undetermined;
    EXPECT_EQ(VerdictStatus(undetermined, 7, STATUS_ERROR_FIRST), 8);
    EXPECT_EQ(VerdictStatus(undetermined, 7, STATUS_UNKNOWN), STATUS_UNKNOWN);
    CVerdict free;
    free.m_nKind = VerdictKind::Free;
    EXPECT_EQ(VerdictStatus(free, 8, STATUS_ERROR_FIRST), STATUS_AVAILABLE);
    limited.m_nWaitSeconds = 7;
    limited.m_strRule = QStringLiteral("whois.eu limit 'still in grace period'");
    EXPECT_EQ(limited.Describe(), QStringLiteral("rate limited (wait 7 s): whois.eu limit 'still in grace period'"));
}

TEST(RulePack, HostileAnswersAreScannedSafely)
{
    const auto pack = PackWith();
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += char(i * 37 % 256);
    EXPECT_EQ(pack->Classify(bytes).m_nKind, pack->Classify(bytes).m_nKind);
    EXPECT_EQ(pack->Classify(QByteArray(4095, '\r')).m_nKind, VerdictKind::Undetermined);
    EXPECT_EQ(pack->Classify(QByteArray("no\0match", 8)).m_nKind, VerdictKind::Undetermined);
    EXPECT_EQ(pack->Classify("WHOIS server: ").m_nKind, VerdictKind::Undetermined);
    EXPECT_EQ(pack->Classify("WHOIS server: , Domain: ").m_nKind, VerdictKind::Undetermined);
    EXPECT_EQ(pack->Classify(QByteArray(3000, ' ') + "No match" + QByteArray(1000, '\t')).m_nKind, VerdictKind::Free);
}

TEST(RulePack, ClassifyingWhilePacksAreSwapped)
{
    // Two packs that disagree about one answer; workers must always see one
    // whole pack, never a mixture or a freed one.
    const auto freePack = PackWith("[server whois.t.test]\nfree ^ambiguous$\n");
    ASSERT_TRUE(freePack);
    const QByteArray text = Stored("whois.t.test", "x.test", "ambiguous\n");
    CRuleStore::Install(freePack);
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&] {
            for (int i = 0; i < 2000 && !stop.load(); ++i) {
                const std::shared_ptr<const CRulePack> pack = CRuleStore::Current();
                const CVerdict v = pack->Classify(text);
                const VerdictKind expected = pack == freePack ? VerdictKind::Free : VerdictKind::Taken;
                if (v.m_nKind != expected)
                    ++wrong;
                ++done;
            }
        });
    }
    for (int i = 0; i < 200; ++i)
        CRuleStore::Install(i % 2 ? freePack : PackWith("[server whois.t.test]\ntaken ^ambiguous$\n"));
    stop = true;
    for (std::thread& w : workers)
        w.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_GT(done.load(), 0);
    CRuleStore::Install(nullptr);
}

TEST(PhraseMatcher, PhrasesEndingInsideLongerOnesAreFound)
{
    // "limit exceeded" ends in the middle of the longer phrase's path, so
    // only the failure links can report it.
    CPhraseMatcher m;
    QString error;
    ASSERT_TRUE(m.Build({{CPhraseMatcher::Tokens("the limit exceeded by far", false, false), 5, false},
                         {CPhraseMatcher::Tokens("limit exceeded", false, false), 1, false},
                         {CPhraseMatcher::Tokens("by far", false, false), 3, false},
                         {CPhraseMatcher::Tokens("stop", true, false), 0, true}},
                        &error));
    EXPECT_EQ(m.Scan("the limit exceeded by far").m_nBest, 1);
    EXPECT_EQ(m.Scan("the limit exceeded").m_nBest, 1);
    EXPECT_EQ(m.Scan("the limit exceede by far").m_nBest, 3);
    EXPECT_EQ(m.Scan("nothing").m_nBest, CPhraseMatcher::kNoMatch);
    // The end phrase, also where it ends inside another path.
    const CPhraseMatcher::CScan cut = m.Scan("x\r\nstop limit exceeded");
    EXPECT_EQ(cut.m_nBest, CPhraseMatcher::kNoMatch);
    EXPECT_EQ(cut.m_nCounted, 3);
    ASSERT_TRUE(m.Build({{CPhraseMatcher::Tokens("a stopgap", true, false), 2, false},
                         {CPhraseMatcher::Tokens("stop", false, false), 0, true}},
                        &error));
    EXPECT_EQ(m.Scan("a stopgap").m_nBest, CPhraseMatcher::kNoMatch);
}
