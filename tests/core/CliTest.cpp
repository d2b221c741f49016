#include "LoopbackDnsServer.h"
#include "LoopbackRdapServer.h"
#include "LoopbackWhoisServer.h"
#include "TestSupport.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "model/SampleWholist.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

struct CliResult
{
    int m_nExit = -1;
    QByteArray m_out;
    QByteArray m_err;
};

class CliTest : public ::testing::Test
{
protected:
    CliResult Run(const QStringList& args, int timeoutMs = 30000)
    {
        QProcess p;
        p.start(QStringLiteral(TELVARO_CLI_PATH), QStringList{QStringLiteral("--home"), m_home.Path()} + args);
        EXPECT_TRUE(p.waitForFinished(timeoutMs)) << args.join(QLatin1Char(' ')).toStdString();
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

    QByteArray FileBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QList<QJsonObject> Json()
    {
        QList<QJsonObject> rows;
        for (const QByteArray& line : Run({QStringLiteral("list"), m_doc, QStringLiteral("--json")}).m_out.split('\n')) {
            if (!line.isEmpty())
                rows << QJsonDocument::fromJson(line).object();
        }
        return rows;
    }

    ScopedTelvaroHome m_home;
    QString m_doc = m_home.Path() + QStringLiteral("names.qzn");
};

}

TEST_F(CliTest, NewAddSelectList)
{
    EXPECT_EQ(Run({QStringLiteral("new"), m_doc}).m_nExit, 0);
    EXPECT_EQ(FileBytes(m_doc), Bytes({0, 0}));
    EXPECT_EQ(Run({QStringLiteral("new"), m_doc}).m_nExit, 1);   // never overwrites a list

    CliResult r = Run({QStringLiteral("add"), m_doc, QStringLiteral("--tld"), QStringLiteral("com,Net"),
                       QStringLiteral("shop"), QStringLiteral("a.org,b.co.uk;bad_name"), QStringLiteral("SHOP.com")});
    EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_EQ(r.m_out, "4\n");   // shop.COM, shop.NET, a.org, b.co.uk; SHOP.com repeats
    EXPECT_EQ(Run({QStringLiteral("add"), m_doc, QStringLiteral("--tld"), QStringLiteral("biz"), QStringLiteral("x")})
                  .m_nExit,
              1);

    // Without --tld the ticked rows (COM by default) are used; a tab does not separate.
    QFile names(m_home.Path() + QStringLiteral("in.txt"));
    ASSERT_TRUE(names.open(QIODevice::WriteOnly));
    names.write("web\r\nx.com\ty.com\n");
    names.close();
    r = Run({QStringLiteral("add"), m_doc, QStringLiteral("--from-file"), names.fileName()});
    EXPECT_EQ(r.m_out, "1\n");

    r = Run({QStringLiteral("list"), m_doc});
    EXPECT_EQ(r.m_out, "1\tshop.COM\tUnknown\t-\tNo\n2\tshop.NET\tUnknown\t-\tNo\n3\ta.org\tUnknown\t-\tNo\n"
                       "4\tb.co.uk\tUnknown\t-\tNo\n5\tweb.COM\tUnknown\t-\tNo\n");

    EXPECT_EQ(Run({QStringLiteral("select"), m_doc, QStringLiteral("A.ORG"), QStringLiteral("web.com")}).m_nExit, 0);
    QList<QJsonObject> rows = Json();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_TRUE(rows[2][QStringLiteral("selected")].toBool());
    EXPECT_FALSE(rows[0][QStringLiteral("selected")].toBool());
    EXPECT_TRUE(rows[0][QStringLiteral("checked")].isNull());
    EXPECT_EQ(rows[4][QStringLiteral("index")].toInt(), 5);

    r = Run({QStringLiteral("select"), m_doc, QStringLiteral("nothere.com")});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_TRUE(r.m_err.contains("nothere.com"));
    EXPECT_EQ(Run({QStringLiteral("select"), m_doc, QStringLiteral("--all")}).m_nExit, 0);
    EXPECT_EQ(Run({QStringLiteral("select"), m_doc}).m_nExit, 2);
    EXPECT_EQ(Run({QStringLiteral("add"), m_doc}).m_nExit, 2);   // nothing to add
    EXPECT_EQ(Run({QStringLiteral("frobnicate")}).m_nExit, 2);
    EXPECT_TRUE(Run({QStringLiteral("--version")}).m_out.startsWith("telvaro-cli "));
}

TEST_F(CliTest, LookupAgainstTheLoopbackServer)
{
    CLoopbackWhoisServer server;
    server.SetBehaviour("taken.com", CWhoisBehaviour::Answer("Domain Name: TAKEN.COM\r\nRegistrar: Example\r\n"));
    ASSERT_EQ(Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("com"),
                   QString::fromStdString(server.Address())})
                  .m_nExit,
              0);
    Run({QStringLiteral("new"), m_doc});
    Run({QStringLiteral("add"), m_doc, QStringLiteral("free.com"), QStringLiteral("taken.com"), QStringLiteral("idle.com")});
    Run({QStringLiteral("select"), m_doc, QStringLiteral("free.com"), QStringLiteral("taken.com")});

    const CliResult r = Run({QStringLiteral("lookup"), m_doc, QStringLiteral("--interval"), QStringLiteral("0"),
                             QStringLiteral("--max-connections"), QStringLiteral("4")});
    EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_TRUE(r.m_err.contains("2 of 2 names looked up"));
    const QList<QJsonObject> rows = Json();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][QStringLiteral("status_text")].toString(), QStringLiteral("*AVAILABLE*"));
    EXPECT_EQ(rows[1][QStringLiteral("status")].toInt(), 2);
    EXPECT_TRUE(rows[1][QStringLiteral("whois")].toString().contains(QStringLiteral("Registrar: Example")));
    EXPECT_GT(rows[1][QStringLiteral("checked")].toDouble(), 40000.0);
    EXPECT_EQ(rows[2][QStringLiteral("status_text")].toString(), QStringLiteral("Unknown"));
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(CliTest, InterruptStopsWaitsAndSaves)
{
    CLoopbackWhoisServer server(CWhoisBehaviour::NeverClose("partial"));
    Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("COM"), QString::fromStdString(server.Address())});
    Run({QStringLiteral("new"), m_doc});
    Run({QStringLiteral("add"), m_doc, QStringLiteral("a.com"), QStringLiteral("b.com")});
    Run({QStringLiteral("select"), m_doc, QStringLiteral("--all")});

    QProcess p;
    p.start(QStringLiteral(TELVARO_CLI_PATH), {QStringLiteral("--home"), m_home.Path(), QStringLiteral("lookup"), m_doc,
                                               QStringLiteral("--interval"), QStringLiteral("0"),
                                               QStringLiteral("--timeout"), QStringLiteral("0")});
    ASSERT_TRUE(server.WaitForRequests(2, std::chrono::seconds(20)));
    QThread::msleep(300);   // let the answers' first text arrive
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 130);
    const QList<QJsonObject> rows = Json();
    ASSERT_EQ(rows.size(), 2);
    // Stopped lookups keep what came so far; a loaded error text reads as Unknown.
    EXPECT_TRUE(rows[0][QStringLiteral("whois")].toString().endsWith(QStringLiteral("partial")));
    EXPECT_EQ(rows[0][QStringLiteral("status_text")].toString(), QStringLiteral("Unknown"));
    EXPECT_GT(rows[0][QStringLiteral("checked")].toDouble(), 40000.0);
}

TEST_F(CliTest, DamagedDocumentsAreNeverOverwritten)
{
    Run({QStringLiteral("new"), m_doc});
    Run({QStringLiteral("add"), m_doc, QStringLiteral("a.com"), QStringLiteral("b.com")});
    QByteArray damaged = FileBytes(m_doc);
    damaged.chop(3);
    QFile f(m_doc);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(damaged);
    f.close();

    CliResult r = Run({QStringLiteral("add"), m_doc, QStringLiteral("c.com")});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_TRUE(r.m_err.contains("damaged"));
    EXPECT_EQ(Run({QStringLiteral("lookup"), m_doc}).m_nExit, 1);
    EXPECT_EQ(FileBytes(m_doc), damaged);

    r = Run({QStringLiteral("list"), m_doc});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_EQ(r.m_out, "1\ta.com\tUnknown\t-\tNo\n");
    EXPECT_EQ(Run({QStringLiteral("list"), m_home.Path() + QStringLiteral("missing.qzn")}).m_nExit, 1);
}

TEST_F(CliTest, TldTableAndConstruct)
{
    CliResult r = Run({QStringLiteral("tld"), QStringLiteral("list")});
    EXPECT_TRUE(r.m_out.startsWith("COM\twhois.verisign-grs.com\tticked\t\n"));
    EXPECT_EQ(r.m_out.count('\n'), 12);
    EXPECT_EQ(Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("io"), QStringLiteral("whois.nic.io")})
                  .m_nExit,
              0);
    r = Run({QStringLiteral("tld"), QStringLiteral("list")});
    EXPECT_TRUE(r.m_out.endsWith("io\twhois.nic.io\t-\t\n"));
    EXPECT_EQ(Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("com"),
                   QStringLiteral("127.0.0.1:99999")})
                  .m_nExit,
              2);   // not a port
    EXPECT_EQ(Run({QStringLiteral("tld"), QStringLiteral("reset")}).m_nExit, 0);
    EXPECT_FALSE(Run({QStringLiteral("tld"), QStringLiteral("list")}).m_out.contains("whois.nic.io"));

    Run({QStringLiteral("new"), m_doc});
    r = Run({QStringLiteral("construct"), m_doc, QStringLiteral("shop"), QStringLiteral("--start"),
             QStringLiteral("e,my"), QStringLiteral("--end"), QStringLiteral("net"), QStringLiteral("--dash"),
             QStringLiteral("--tld"), QStringLiteral("com")});
    EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_EQ(r.m_out, "15\n");   // the bare keyword has no TLD
    const QByteArray list = Run({QStringLiteral("list"), m_doc}).m_out;
    EXPECT_TRUE(list.startsWith("1\tshop.COM\t"));
    EXPECT_TRUE(list.endsWith("15\tmy-shop-net.COM\tUnknown\t-\tNo\n"));
}

TEST_F(CliTest, EveryCommandDeclaresItsHelpAndOptions)
{
    const QByteArray overview = Run({QStringLiteral("--help")}).m_out;
    for (const char* command : {"new", "add", "construct", "select", "lookup", "list", "tld"}) {
        const QString name = QString::fromLatin1(command);
        EXPECT_TRUE(overview.contains("\n  " + QByteArray(command) + ' ')) << command;
        const CliResult help = Run({QStringLiteral("help"), name});
        EXPECT_EQ(help.m_nExit, 0) << command;
        EXPECT_TRUE(help.m_out.startsWith("usage: telvaro-cli " + QByteArray(command))) << help.m_out.toStdString();
        EXPECT_EQ(Run({name, QStringLiteral("--help")}).m_out, help.m_out) << command;
    }
    EXPECT_TRUE(Run({QStringLiteral("help"), QStringLiteral("lookup")}).m_out.contains("--max-connections N"));

    // What a command does not declare is refused before any file is touched.
    CliResult r = Run({QStringLiteral("list"), m_doc, QStringLiteral("--all")});
    EXPECT_EQ(r.m_nExit, 2);
    EXPECT_TRUE(r.m_err.startsWith("telvaro-cli: unknown option --all\n")) << r.m_err.toStdString();
    r = Run({QStringLiteral("list"), m_doc, QStringLiteral("--json=yes")});
    EXPECT_EQ(r.m_nExit, 2);
    r = Run({QStringLiteral("add"), m_doc, QStringLiteral("--tld")});
    EXPECT_TRUE(r.m_err.startsWith("telvaro-cli: --tld needs a value\n")) << r.m_err.toStdString();
    EXPECT_EQ(Run({QStringLiteral("help"), QStringLiteral("frobnicate")}).m_nExit, 2);
    EXPECT_FALSE(QFile::exists(m_doc));
}

TEST_F(CliTest, FailuresAreReportedOnceWithTheirReason)
{
    const CliResult r = Run({QStringLiteral("list"), m_home.Path()});   // a folder, not a list
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_EQ(r.m_err.count('\n'), 1) << r.m_err.toStdString();
    EXPECT_TRUE(r.m_err.contains(m_home.Path().toUtf8())) << r.m_err.toStdString();
}

TEST_F(CliTest, JsonEscapesEveryControlCharacterAndIsUtf8)
{
    Run({QStringLiteral("new"), m_doc});
    Run({QStringLiteral("add"), m_doc, QStringLiteral("a.com")});
    // A whois text with every control character and Latin-1 letters, as a
    // hostile server might send.
    QByteArray whois;
    for (int c = 1; c < 32; ++c)
        whois += char(c);
    whois += "\"\\ caf\xe9 \x7f";
    {
        QFile f(m_doc);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        f.close();
        // The record's whois text is the empty string after the name; put
        // the hostile text there with its length byte.
        const qsizetype at = bytes.indexOf("a.com") + 5;
        ASSERT_EQ(bytes[at], '\0');
        bytes.replace(at, 1, char(whois.size()) + whois);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    const QByteArray line = Run({QStringLiteral("list"), m_doc, QStringLiteral("--json")}).m_out;
    ASSERT_TRUE(line.endsWith('\n'));
    for (char c = 1; c < 32; ++c)
        EXPECT_FALSE(line.chopped(1).contains(c)) << int(c);
    const QJsonObject row = QJsonDocument::fromJson(line).object();
    EXPECT_EQ(row.value(QStringLiteral("whois")).toString(), QString::fromLatin1(whois));
    EXPECT_TRUE(line.contains("caf\xc3\xa9"));
}

TEST_F(CliTest, VerdictNamesTheRuleThatDecided)
{
    const QString answer = m_home.Path() + QStringLiteral("answer.txt");
    QFile f(answer);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%% Too many requests... Please try again later.\n%% No entries found in the AFNIC Database.\n");
    f.close();
    CliResult r = Run({QStringLiteral("verdict"), QStringLiteral("--server"), QStringLiteral("whois.nic.fr"), answer});
    EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_TRUE(r.m_out.startsWith("rate limited")) << r.m_out.toStdString();
    EXPECT_TRUE(r.m_out.contains("telvaro.rules line")) << r.m_out.toStdString();

    // From standard input, with the header line a lookup writes.
    QProcess p;
    p.start(QStringLiteral(TELVARO_CLI_PATH), {QStringLiteral("--home"), m_home.Path(), QStringLiteral("verdict"), QStringLiteral("-")});
    ASSERT_TRUE(p.waitForStarted());
    p.write("WHOIS server: whois.example, Domain: x.com\r\n\r\nNo match for \"X.COM\".\r\n");
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("free")) << p.readAllStandardError().toStdString();

    EXPECT_EQ(Run({QStringLiteral("verdict")}).m_nExit, 2);
    EXPECT_EQ(Run({QStringLiteral("verdict"), m_home.Path() + QStringLiteral("missing.txt")}).m_nExit, 1);
}

TEST_F(CliTest, ADamagedUserRulesFileIsNamedOnceAndTheBundledRulesApply)
{
    QFile rules(m_home.Path() + QStringLiteral("telvaro.rules"));
    ASSERT_TRUE(rules.open(QIODevice::WriteOnly));
    rules.write("[generic]\nfree   registrar:\nfrobnicate   this\n");
    rules.close();
    const QString answer = m_home.Path() + QStringLiteral("answer.txt");
    QFile f(answer);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Registrar: Example\n");
    f.close();
    const CliResult r = Run({QStringLiteral("verdict"), answer});
    EXPECT_TRUE(r.m_out.startsWith("taken")) << r.m_out.toStdString();
    EXPECT_EQ(r.m_err.count("telvaro.rules"), 1) << r.m_err.toStdString();
    EXPECT_TRUE(r.m_err.contains("line 3")) << r.m_err.toStdString();
}

TEST_F(CliTest, RdapRowsAreLookedUpOverRdap)
{
    CLoopbackRdapServer rdap;
    rdap.SetBehaviour("taken.info", CRdapBehaviour::Registered());
    const QString base = QString::fromStdString(rdap.HttpUrl("/rdap/"));
    EXPECT_EQ(Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("INFO"), base}).m_nExit, 0);
    EXPECT_EQ(Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("XYZ"), QStringLiteral("https://")}).m_nExit, 2);
    Run({QStringLiteral("new"), m_doc});
    Run({QStringLiteral("add"), m_doc, QStringLiteral("taken.info"), QStringLiteral("free.info")});
    Run({QStringLiteral("select"), m_doc, QStringLiteral("--all")});
    const CliResult r = Run({QStringLiteral("lookup"), m_doc, QStringLiteral("--interval"), QStringLiteral("0")});
    ASSERT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    const QList<QJsonObject> rows = Json();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].value(QStringLiteral("status_text")).toString(), QStringLiteral("Not Available"));
    EXPECT_EQ(rows[1].value(QStringLiteral("status_text")).toString(), QStringLiteral("*AVAILABLE*"));
    for (const QJsonObject& row : rows)
        EXPECT_EQ(row.value(QStringLiteral("channel")).toString(), QStringLiteral("rdap"));
    EXPECT_EQ(rdap.RequestCount(), 2u);
}

// The first run of the GUI's new user, on the command line: the sample's
// TLDs imported, .info (an RDAP base there) pointed at the loopback.
TEST_F(CliTest, SampleImportThenAnRdapRunKeepsTheRecords)
{
    ASSERT_TRUE(InstallSampleWholist().IsOk());
    CliResult r = Run({QStringLiteral("tld"), QStringLiteral("import"), GetSampleWholistPath()});
    ASSERT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_TRUE(Run({QStringLiteral("tld"), QStringLiteral("list")}).m_out.contains("\nINFO\thttps://")) << "the sample's base";
    CLoopbackRdapServer rdap;
    rdap.SetBehaviour("kettle.info", CRdapBehaviour::Registered());
    const QString base = QString::fromStdString(rdap.HttpUrl("/rdap/"));
    ASSERT_EQ(Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("INFO"), base}).m_nExit, 0);
    Run({QStringLiteral("new"), m_doc});
    Run({QStringLiteral("add"), m_doc, QStringLiteral("kettle.info"), QStringLiteral("freekettle.info")});
    Run({QStringLiteral("select"), m_doc, QStringLiteral("--all")});
    r = Run({QStringLiteral("lookup"), m_doc, QStringLiteral("--interval"), QStringLiteral("0")});
    ASSERT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    const QList<QJsonObject> rows = Json();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].value(QStringLiteral("status_text")).toString(), QStringLiteral("Not Available"));
    EXPECT_EQ(rows[1].value(QStringLiteral("status_text")).toString(), QStringLiteral("*AVAILABLE*"));
    const QString whois = rows[0].value(QStringLiteral("whois")).toString();
    EXPECT_TRUE(whois.startsWith(QStringLiteral("RDAP server: ") + base + QStringLiteral("domain/kettle.info"))) << whois.toStdString();
    EXPECT_TRUE(whois.contains(QStringLiteral("Registrar: Example Registrar, Inc."))) << whois.toStdString();
    EXPECT_TRUE(rows[1].value(QStringLiteral("whois")).toString().contains(QStringLiteral("RDAP: not found")));
}

TEST_F(CliTest, TldImportDeleteAndInfo)
{
    const QString file = m_home.Path() + QStringLiteral("servers.txt");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(" Io : WHOIS.Nic.IO \r\nde: whois.denic.de\ncom: whois.verisign-grs.com\nnet: other.example\n"
                "no colon\n: nothing\n");
    }
    const QString tld = QStringLiteral("tld");
    CliResult r = Run({tld, QStringLiteral("import"), file});
    EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_EQ(r.m_out, "2 added, 1 updated, 1 unchanged, 2 lines skipped\n");
    r = Run({tld, QStringLiteral("list")});
    EXPECT_TRUE(r.m_out.contains("\nNET\tother.example\t-\t\n")) << r.m_out.toStdString();
    EXPECT_TRUE(r.m_out.endsWith("IO\twhois.nic.io\t-\t\nDE\twhois.denic.de\t-\t\n")) << r.m_out.toStdString();
    EXPECT_EQ(Run({tld, QStringLiteral("import"), file}).m_out, "0 added, 0 updated, 4 unchanged, 2 lines skipped\n");

    r = Run({tld, QStringLiteral("delete"), QStringLiteral(".io")});
    EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_EQ(r.m_out, "deleted 1 row\n");
    EXPECT_FALSE(Run({tld, QStringLiteral("list")}).m_out.contains("IO\t"));
    r = Run({tld, QStringLiteral("delete"), QStringLiteral("io")});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_TRUE(r.m_err.contains("has no io")) << r.m_err.toStdString();
    EXPECT_EQ(Run({tld, QStringLiteral("import"), m_home.Path() + QStringLiteral("missing.txt")}).m_nExit, 1);

    // What the shipped snapshot knows, and the row of the table.
    r = Run({tld, QStringLiteral("info"), QStringLiteral("DE")});
    EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_TRUE(r.m_out.startsWith("tld:      de\nkind:     country-code\nwhois:    whois.denic.de\nsamples:  nic.de "))
        << r.m_out.toStdString();
    EXPECT_TRUE(r.m_out.endsWith("table:    DE\twhois.denic.de\n")) << r.m_out.toStdString();
    r = Run({tld, QStringLiteral("info"), QStringLiteral("info")});
    EXPECT_TRUE(r.m_out.contains("whois:    (none)\nrdap:     https://")) << r.m_out.toStdString();
    EXPECT_TRUE(r.m_out.endsWith("table:    (no row)\n"));
    r = Run({tld, QStringLiteral("info"), QStringLiteral("co.uk")});
    EXPECT_TRUE(r.m_out.startsWith("shipped:  nothing for co.uk; what is known of uk:\ntld:      uk\n")) << r.m_out.toStdString();
    EXPECT_TRUE(r.m_out.endsWith("table:    CO.UK\twhois.nic.uk\n"));
    r = Run({tld, QStringLiteral("info"), QStringLiteral("nosuchtld")});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_EQ(r.m_out, "");
}

TEST_F(CliTest, LookupChecksFreeNamesInDnsUnlessToldNotTo)
{
    CLoopbackWhoisServer whois;
    whois.SetBehaviour("taken.com", CWhoisBehaviour::Answer("Domain Name: TAKEN.COM\r\nRegistrar: Example\r\n"));
    CLoopbackDnsServer dns;
    dns.SetBehaviour("delegated.com", CDnsBehaviour::NameServers({"ns.example.net"}));
    dns.SetBehaviour("taken.com", CDnsBehaviour::Addresses({"192.0.2.44"}));
    Run({QStringLiteral("tld"), QStringLiteral("set"), QStringLiteral("COM"), QString::fromStdString(whois.Address())});
    const auto newList = [&] {
        QFile::remove(m_doc);
        Run({QStringLiteral("new"), m_doc});
        Run({QStringLiteral("add"), m_doc, QStringLiteral("delegated.com"), QStringLiteral("free.com"),
             QStringLiteral("taken.com")});
        Run({QStringLiteral("select"), m_doc, QStringLiteral("--all")});
    };
    newList();
    const QStringList lookup{QStringLiteral("lookup"), m_doc, QStringLiteral("--interval"), QStringLiteral("0"),
                             QStringLiteral("--no-control-names")};

    qputenv("TELVARO_DNS_SERVER", QByteArray::fromStdString(dns.Address()));
    EXPECT_EQ(Run(lookup + QStringList{QStringLiteral("--no-resolve")}).m_nExit, 0);
    EXPECT_TRUE(dns.Queries().empty());
    QList<QJsonObject> rows = Json();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][QStringLiteral("status_text")].toString(), QStringLiteral("*AVAILABLE*"));
    EXPECT_EQ(rows[0][QStringLiteral("confirmed")], QJsonValue(QJsonValue::Null));

    newList();
    const CliResult run = Run(lookup);
    qputenv("TELVARO_DNS_SERVER", "127.0.0.1:9");
    EXPECT_EQ(run.m_nExit, 0) << run.m_err.constData();
    rows = Json();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][QStringLiteral("status_text")].toString(), QStringLiteral("Not Available"));
    EXPECT_TRUE(rows[0][QStringLiteral("whois")].toString().contains(QLatin1String("ns.example.net")));
    EXPECT_EQ(rows[0][QStringLiteral("dns")].toString(), QStringLiteral("Error"));
    EXPECT_EQ(rows[1][QStringLiteral("confirmed")], QJsonValue(true));
    EXPECT_EQ(rows[1][QStringLiteral("dns")].toString(), QString());
    EXPECT_EQ(rows[2][QStringLiteral("dns")].toString(), QStringLiteral("192.0.2.44"));
    EXPECT_EQ(rows[2][QStringLiteral("confirmed")], QJsonValue(QJsonValue::Null));
}

namespace {

// A list whose records already hold answers: "free" names say "No match",
// "taken" ones name a registrar, the rest were never looked up. Marked
// names are ticked.
void WriteAnsweredList(const QString& path, std::initializer_list<std::tuple<const char*, const char*, bool>> rows)
{
    BuildDefaultTLDTable();
    CDomainDoc doc;
    doc.OnNewDocument();
    doc.m_nMaxEntries = CDomainDoc::kMaxFileRecords;
    for (const auto& [name, kind, marked] : rows) {
        ASSERT_TRUE(doc.AddDomain(name));
        CDomainInfo& r = *doc.GetAt(doc.GetCount() - 1);
        // In the shapes of the .com and .net registry, whose rules decide.
        if (QByteArrayView(kind) == "free")
            r.m_strWhois = "No match for \"" + r.m_strName.toUpper() + "\".\r\n";
        else if (QByteArrayView(kind) == "taken")
            r.m_strWhois = "Domain Name: " + r.m_strName.toUpper() + "\r\nRegistrar: Example\r\n";
        r.m_bSelected = marked ? 1 : 0;
    }
    ASSERT_TRUE(doc.OnSaveDocument(path).IsOk());
}

}

TEST_F(CliTest, DeleteTakesOneKindAndPrintsTheCount)
{
    struct Case
    {
        const char* m_pszOption;
        QByteArray m_out;
        QByteArrayList m_left;
    };
    for (const Case& c : {Case{"--selected", "2\n", {"taken.com", "idle.com"}},
                          Case{"--taken", "1\n", {"free.com", "idle.com", "free.net"}},
                          Case{"--free", "2\n", {"taken.com", "idle.com"}},
                          Case{"--all", "4\n", {}}}) {
        WriteAnsweredList(m_doc, {{"free.com", "free", true}, {"taken.com", "taken", false}, {"idle.com", "", false},
                                  {"free.net", "free", true}});
        const CliResult r = Run({QStringLiteral("delete"), m_doc, QString::fromLatin1(c.m_pszOption)});
        EXPECT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
        EXPECT_EQ(r.m_out, c.m_out) << c.m_pszOption;
        QByteArrayList left;
        for (const QJsonObject& row : Json())
            left << row[QStringLiteral("name")].toString().toLatin1();
        EXPECT_EQ(left, c.m_left) << c.m_pszOption;
    }

    // Names: the ones found go, the others are named.
    WriteAnsweredList(m_doc, {{"a.com", "", false}, {"b.com", "", false}, {"c.com", "", false}});
    const CliResult r = Run({QStringLiteral("delete"), m_doc, QStringLiteral("B.COM"), QStringLiteral("zz.com")});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_EQ(r.m_out, "1\n");
    EXPECT_TRUE(r.m_err.contains("zz.com"));
    EXPECT_EQ(Json().size(), 2);

    // Nothing to delete is no error, and the file stays as it was.
    const QByteArray before = FileBytes(m_doc);
    EXPECT_EQ(Run({QStringLiteral("delete"), m_doc, QStringLiteral("--taken")}).m_out, "0\n");
    EXPECT_EQ(FileBytes(m_doc), before);

    EXPECT_EQ(Run({QStringLiteral("delete"), m_doc}).m_nExit, 2);
    EXPECT_EQ(Run({QStringLiteral("delete"), m_doc, QStringLiteral("--all"), QStringLiteral("--free")}).m_nExit, 2);
    EXPECT_EQ(Run({QStringLiteral("delete"), m_doc, QStringLiteral("--all"), QStringLiteral("a.com")}).m_nExit, 2);
}

TEST_F(CliTest, SelectByRangeAndFreeNames)
{
    WriteAnsweredList(m_doc, {{"a.com", "", true}, {"b.com", "free", false}, {"c.com", "", false},
                              {"d.com", "free", false}, {"e.com", "", false}});
    auto ticks = [this] {
        QString marks;
        for (const QJsonObject& row : Json())
            marks += row[QStringLiteral("selected")].toBool() ? QLatin1Char('x') : QLatin1Char('.');
        return marks;
    };
    EXPECT_EQ(Run({QStringLiteral("select"), m_doc, QStringLiteral("--range"), QStringLiteral("4-3")}).m_nExit, 0);
    EXPECT_EQ(ticks(), QStringLiteral("x.xx."));
    EXPECT_EQ(Run({QStringLiteral("select"), m_doc, QStringLiteral("--range=2-2"), QStringLiteral("--only")}).m_nExit, 0);
    EXPECT_EQ(ticks(), QStringLiteral(".x..."));
    EXPECT_EQ(Run({QStringLiteral("select"), m_doc, QStringLiteral("--free")}).m_nExit, 0);
    EXPECT_EQ(ticks(), QStringLiteral(".x.x."));

    for (const char* bad : {"3", "a-b", "-1-2", "1-99999999999"}) {
        const CliResult r = Run({QStringLiteral("select"), m_doc, QStringLiteral("--range"), QString::fromLatin1(bad)});
        EXPECT_EQ(r.m_nExit, 2) << bad;
    }
    EXPECT_EQ(Run({QStringLiteral("select"), m_doc, QStringLiteral("--only")}).m_nExit, 2);
    EXPECT_EQ(Run({QStringLiteral("select"), m_doc, QStringLiteral("--free"), QStringLiteral("--all")}).m_nExit, 2);
    EXPECT_EQ(ticks(), QStringLiteral(".x.x."));
}

TEST_F(CliTest, FindPrintsTheRowFindWouldSelect)
{
    WriteAnsweredList(m_doc, {{"kettleshop.com", "", false}, {"Kettle.com", "", false}, {"teapot.net", "", false}});
    CliResult r = Run({QStringLiteral("find"), m_doc, QStringLiteral("kettle.COM")});
    EXPECT_EQ(r.m_nExit, 0);
    EXPECT_EQ(r.m_out, "2\n");
    EXPECT_EQ(Run({QStringLiteral("find"), m_doc, QStringLiteral("KETTLE")}).m_out, "1\n");
    EXPECT_EQ(Run({QStringLiteral("find"), m_doc, QStringLiteral("")}).m_out, "1\n");
    r = Run({QStringLiteral("find"), m_doc, QStringLiteral("coffee")});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_TRUE(r.m_out.isEmpty());
    EXPECT_EQ(Run({QStringLiteral("find"), m_doc}).m_nExit, 2);
    EXPECT_EQ(Run({QStringLiteral("find"), m_doc, QStringLiteral("a"), QStringLiteral("b")}).m_nExit, 2);
}
