// telvaro-cli export: every format through the same writers as the menus,
// to a file and to stdout.
#include "ExportFixture.h"
#include "export/CsvExport.h"
#include "export/HtmlReport.h"
#include "export/JsonExport.h"
#include "export/TextExport.h"
#include "model/TLDTable.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>

#include <functional>

namespace {

using Writer = std::function<CExportResult(const CDomainDoc&, const CExportTarget&, ExportScope)>;

struct StreamFormat
{
    const char* m_pszName;
    Writer m_write;
};

const StreamFormat kStreamFormats[] = {
    {"html", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) { return WriteHtmlReport(d, t, false, s); }},
    {"html-summary", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) { return WriteHtmlReport(d, t, true, s); }},
    {"text", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) {
         return WriteTextExport(d, t, TextExportKind::NamesWithStatus, s);
     }},
    {"text-free", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) {
         return WriteTextExport(d, t, TextExportKind::FreeNames, s);
     }},
    {"csv", WriteCsvExport},
    {"json", WriteJsonExport},
};

class CliExportTest : public ExportFixture
{
protected:
    void SetUp() override
    {
        // The servers the command line will know, so that both sides name
        // the same rules.
        ASSERT_TRUE(LoadTLDTable().IsOk());
        SetChecked(Add("taken.com", STATUS_TAKEN, "Domain Name: TAKEN.COM\r\nRegistrar: Example, Inc.\r\n"), 45000.5);
        SetChecked(Add("free.com", STATUS_AVAILABLE, "No match for \"FREE.COM\".\r\n", false), 45001.25);
        Add("a&b<i>.com", STATUS_UNKNOWN);
        SetChecked(Add("second-free.net", STATUS_AVAILABLE, "No match for \"SECOND-FREE.NET\".\r\n"), 45002);
        ASSERT_TRUE(m_doc.OnSaveDocument(m_list).IsOk());
        // What the command line will see: the list as read back from its file.
        m_read.OnNewDocument();
        ASSERT_TRUE(m_read.OnOpenDocument(m_list).IsOk());
        ASSERT_EQ(m_read.GetAt(0)->m_nStatus, STATUS_TAKEN);
        ASSERT_EQ(m_read.GetAt(1)->m_nStatus, STATUS_AVAILABLE);
    }

    ToolRun Cli(const QStringList& args)
    {
        return RunTool(QStringLiteral(TELVARO_CLI_PATH),
                       QStringList{QStringLiteral("--home"), m_home.Path(), QStringLiteral("export"), m_list} + args);
    }

    QByteArray Expected(const StreamFormat& format, ExportScope scope, int& count)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const CExportResult result = format.m_write(m_read, CExportTarget(buffer), scope);
        EXPECT_TRUE(result.m_bOk);
        count = result.m_nCount;
        return buffer.data();
    }

    QString m_list = PathOf(QStringLiteral("names.qzn"));
    CDomainDoc m_read;
};

}

TEST_F(CliExportTest, EveryStreamFormatToAFileAndToStdout)
{
    for (const StreamFormat& format : kStreamFormats) {
        for (const bool all : {false, true}) {
            SCOPED_TRACE(std::string(format.m_pszName) + (all ? " --all" : ""));
            int count = -1;
            const QByteArray expected = Expected(format, all ? ExportScope::All : ExportScope::Marked, count);
            ASSERT_FALSE(expected.isEmpty());
            const QStringList scope = all ? QStringList{QStringLiteral("--all")} : QStringList{};
            const QString formatName = QLatin1String(format.m_pszName);

            const QString out = PathOf(formatName + QStringLiteral(".out"));
            ToolRun run = Cli(QStringList{QStringLiteral("--format"), formatName, QStringLiteral("--output"), out} + scope);
            EXPECT_EQ(run.m_nExit, 0) << run.m_err.toStdString();
            EXPECT_EQ(run.m_out, QByteArray::number(count) + '\n');
            EXPECT_EQ(FileBytes(out), expected);

            // On stdout the export is all there is; the count goes to stderr.
            run = Cli(QStringList{QStringLiteral("--output=-"), QStringLiteral("--format"), formatName} + scope);
            EXPECT_EQ(run.m_nExit, 0) << run.m_err.toStdString();
            EXPECT_EQ(run.m_out, expected);
            EXPECT_EQ(run.m_err, QByteArray::number(count) + '\n');
        }
    }
}

TEST_F(CliExportTest, ScopeIsTheTicksUnlessAll)
{
    const QString out = PathOf(QStringLiteral("names.txt"));
    EXPECT_EQ(Cli({QStringLiteral("--format"), QStringLiteral("text"), QStringLiteral("--output"), out}).m_out, "3\n");
    EXPECT_EQ(FileBytes(out), "1, taken.com, Not Available\r\n2, a&b<i>.com, Unknown\r\n"
                              "3, second-free.net, *AVAILABLE*\r\n");
    EXPECT_EQ(Cli({QStringLiteral("--format"), QStringLiteral("text"), QStringLiteral("--output"), out,
                   QStringLiteral("--all")})
                  .m_out,
              "4\n");
    // Free names are free names, ticked or not.
    EXPECT_EQ(Cli({QStringLiteral("--format"), QStringLiteral("text-free"), QStringLiteral("--output"), out}).m_out, "2\n");
    EXPECT_EQ(FileBytes(out), "1, free.com\r\n2, second-free.net\r\n");

    const ToolRun json = Cli({QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("--output"),
                              QStringLiteral("-"), QStringLiteral("--all")});
    const QJsonArray rows = QJsonDocument::fromJson(json.m_out).array();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[2][QStringLiteral("name")].toString(), QStringLiteral("a&b<i>.com"));
    EXPECT_FALSE(rows[1][QStringLiteral("selected")].toBool());
}

TEST_F(CliExportTest, SqliteGoesToAFileOnly)
{
    REQUIRE_TOOL(sqlite3, "sqlite3");
    const QString db = PathOf(QStringLiteral("names.sqlite"));
    ToolRun run = Cli({QStringLiteral("--format"), QStringLiteral("sqlite"), QStringLiteral("--output"), db});
    EXPECT_EQ(run.m_nExit, 0) << run.m_err.toStdString();
    EXPECT_EQ(run.m_out, "3\n");
    run = Cli({QStringLiteral("--format"), QStringLiteral("sqlite"), QStringLiteral("--output"), db, QStringLiteral("--all")});
    EXPECT_EQ(run.m_out, "4\n");
    const ToolRun rows = RunTool(sqlite3, {db, QStringLiteral("SELECT \"Names\", \"Status\" FROM \"Domain Names\" ORDER BY rowid")});
    EXPECT_EQ(rows.m_out, "taken.com|Not Available\na&b<i>.com|Unknown\nsecond-free.net|*AVAILABLE*\nfree.com|*AVAILABLE*\n");

    // A database cannot be streamed: refused before anything is written.
    run = Cli({QStringLiteral("--format"), QStringLiteral("sqlite"), QStringLiteral("--output"), QStringLiteral("-")});
    EXPECT_EQ(run.m_nExit, 2);
    EXPECT_TRUE(run.m_out.isEmpty());
    EXPECT_TRUE(run.m_err.contains("stdout"));
}

TEST_F(CliExportTest, FailuresAreOneLineAndExitOne)
{
    const QString missingFolder = PathOf(QStringLiteral("no/such/folder/report.htm"));
    ToolRun run = Cli({QStringLiteral("--format"), QStringLiteral("html"), QStringLiteral("--output"), missingFolder});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_TRUE(run.m_out.isEmpty());
    EXPECT_EQ(run.m_err.count('\n'), 1) << run.m_err.toStdString();
    EXPECT_TRUE(run.m_err.contains(missingFolder.toUtf8()));
    EXPECT_TRUE(run.m_err.contains("No such file or directory"));

    // Not a database: the step, the engine's reason, and the file as it was.
    const QString notDb = PathOf(QStringLiteral("notes.db"));
    WriteBytes(notDb, "these are my notes, not a database\n");
    run = Cli({QStringLiteral("--format"), QStringLiteral("sqlite"), QStringLiteral("--output"), notDb});
    EXPECT_EQ(run.m_nExit, 1);
    EXPECT_EQ(run.m_err.count('\n'), 1) << run.m_err.toStdString();
    EXPECT_TRUE(run.m_err.contains("Error: Creating Database: ")) << run.m_err.toStdString();
    EXPECT_EQ(FileBytes(notDb), "these are my notes, not a database\n");

    EXPECT_EQ(Cli({QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("--output"), notDb}).m_nExit, 2);
    EXPECT_EQ(Cli({QStringLiteral("--format"), QStringLiteral("csv")}).m_nExit, 2);
    EXPECT_EQ(Cli({QStringLiteral("--output"), notDb}).m_nExit, 2);
    EXPECT_EQ(RunTool(QStringLiteral(TELVARO_CLI_PATH),
                      {QStringLiteral("--home"), m_home.Path(), QStringLiteral("export"), PathOf(QStringLiteral("none.qzn")),
                       QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--output"), QStringLiteral("-")})
                  .m_nExit,
              1);
}
