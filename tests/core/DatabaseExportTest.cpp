// The database export, read back with the sqlite3 command-line tool.
#include "ExportFixture.h"
#include "export/DatabaseExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>

namespace {

class DatabaseExportTest : public ExportFixture
{
protected:
    CExportResult Export(ExportScope scope = ExportScope::Marked)
    {
        const CExportResult result = ExportToDatabase(m_doc, m_path, scope);
        // Every export gives its connection back.
        EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
        return result;
    }

    void ExpectWritten(int count)
    {
        const CExportResult result = Export();
        ASSERT_TRUE(result.m_bOk) << result.m_strError.toStdString();
        EXPECT_EQ(result.m_nCount, count);
    }

    // Runs SQL in the sqlite3 tool; its rows as JSON objects.
    QJsonArray Query(const QString& sql)
    {
        const ToolRun run = RunTool(m_sqlite3, {QStringLiteral("-json"), m_path, sql});
        EXPECT_EQ(run.m_nExit, 0) << run.m_err.toStdString();
        return QJsonDocument::fromJson(run.m_out).array();
    }

    void Sql(const QString& sql)
    {
        const ToolRun run = RunTool(m_sqlite3, {m_path, sql});
        ASSERT_EQ(run.m_nExit, 0) << run.m_err.toStdString();
    }

    QJsonArray Rows()
    {
        return Query(QStringLiteral(
            "SELECT \"Names\", \"Status\", \"Last Lookup At\", \"Information\" FROM \"Domain Names\" ORDER BY rowid"));
    }

    static QJsonObject Row(const char* name, const char* status, const char* date, const QJsonValue& information)
    {
        return {{QStringLiteral("Names"), QLatin1String(name)},
                {QStringLiteral("Status"), QLatin1String(status)},
                {QStringLiteral("Last Lookup At"), QLatin1String(date)},
                {QStringLiteral("Information"), information}};
    }

    void SetUp() override
    {
        m_sqlite3 = FindTool("sqlite3");
        if (m_sqlite3.isEmpty())
            GTEST_SKIP() << "sqlite3 is not installed (build.sh installs it), so this test cannot run";
    }

    QString m_sqlite3;
    QString m_path = PathOf(QStringLiteral("names.db"));
};

}

TEST_F(DatabaseExportTest, NewFileGetsTableIndexAndRows)
{
    SetChecked(Add("taken.com", STATUS_TAKEN, "Registrar: Caf\xE9\r\n"), 45000.5);
    Add("unmarked.com", STATUS_TAKEN, "Registrar: X", false);
    Add("never.com", STATUS_UNKNOWN);
    ExpectWritten(2);

    const QJsonArray table = Query(QStringLiteral("SELECT type, name, tbl_name FROM sqlite_master ORDER BY type"));
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[0].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("NameIndex"));
    EXPECT_EQ(table[1].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Domain Names"));

    const QJsonArray columns = Query(QStringLiteral("SELECT name, type FROM pragma_table_info('Domain Names')"));
    QStringList names;
    for (const QJsonValue& c : columns)
        names << c.toObject().value(QStringLiteral("name")).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Names"), QStringLiteral("Status"), QStringLiteral("Last Lookup At"),
                                  QStringLiteral("Information")}));
    EXPECT_EQ(columns[0].toObject().value(QStringLiteral("type")).toString(), QStringLiteral("TEXT(90)"));

    // Neither unique nor the primary key, and on "Names" alone.
    const QJsonArray index = Query(QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list('Domain Names')"));
    ASSERT_EQ(index.size(), 1);
    EXPECT_EQ(index[0].toObject().value(QStringLiteral("unique")).toInt(), 0);
    EXPECT_EQ(index[0].toObject().value(QStringLiteral("origin")).toString(), QStringLiteral("c"));
    const QJsonArray indexed = Query(QStringLiteral("SELECT name FROM pragma_index_info('NameIndex')"));
    ASSERT_EQ(indexed.size(), 1);
    EXPECT_EQ(indexed[0].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Names"));

    // 8-bit text arrives as UTF-8; a never-checked record has day 0; an
    // empty whois text stays NULL.
    EXPECT_EQ(Rows(), (QJsonArray{Row("taken.com", "Not Available", "2023-03-15T12:00:00",
                                      QString::fromLatin1("Registrar: Caf\xE9\r\n")),
                                  Row("never.com", "Unknown", "1899-12-30T00:00:00", QJsonValue::Null)}));
    // SQLite's own date functions read the stored dates.
    const QJsonArray dates = Query(QStringLiteral("SELECT date(\"Last Lookup At\") AS d FROM \"Domain Names\" ORDER BY rowid"));
    EXPECT_EQ(dates[0].toObject().value(QStringLiteral("d")).toString(), QStringLiteral("2023-03-15"));
    EXPECT_EQ(dates[1].toObject().value(QStringLiteral("d")).toString(), QStringLiteral("1899-12-30"));
}

TEST_F(DatabaseExportTest, SecondExportRewritesRowsByName)
{
    CDomainInfo& a = Add("a.com", STATUS_TAKEN, "Registrar: First");
    CDomainInfo& b = Add("b.com", STATUS_ERROR_FIRST, "whois: connection timed out");
    ExpectWritten(2);
    Sql(QStringLiteral("INSERT INTO \"Domain Names\" (\"Names\", \"Status\") VALUES ('other.com', 'kept')"));

    // Another letter case is the same name; an empty text keeps the field.
    a.m_strName = "A.COM";
    SetChecked(a, 45001.0);
    a.m_strWhois.clear();
    a.m_nStatus = STATUS_UNKNOWN;
    b.m_strWhois = "No match for B.COM";
    b.m_nStatus = STATUS_AVAILABLE;
    Add("c.com", STATUS_AVAILABLE, "No match");
    ExpectWritten(3);

    EXPECT_EQ(Rows(), (QJsonArray{Row("A.COM", "Unknown", "2023-03-16T00:00:00", QStringLiteral("Registrar: First")),
                                  Row("b.com", "*AVAILABLE*", "1899-12-30T00:00:00", QStringLiteral("No match for B.COM")),
                                  QJsonObject{{QStringLiteral("Names"), QStringLiteral("other.com")},
                                              {QStringLiteral("Status"), QStringLiteral("kept")},
                                              {QStringLiteral("Last Lookup At"), QJsonValue::Null},
                                              {QStringLiteral("Information"), QJsonValue::Null}},
                                  Row("c.com", "*AVAILABLE*", "1899-12-30T00:00:00", QStringLiteral("No match"))}));
    ExpectWritten(3);
    EXPECT_EQ(Rows().size(), 4);
}

TEST_F(DatabaseExportTest, FailureHalfwayLeavesTheDatabaseAsItWas)
{
    CDomainInfo& a = Add("a.com", STATUS_TAKEN, "Registrar: First");
    ExpectWritten(1);
    Sql(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"Domain Names\" WHEN NEW.\"Names\" = 'bad.com' "
                       "BEGIN SELECT RAISE(ABORT, 'bad.com is refused'); END"));
    const QJsonArray before = Rows();

    a.m_strWhois = "Registrar: Second";
    Add("good.com", STATUS_AVAILABLE, "No match");
    Add("bad.com", STATUS_AVAILABLE, "No match");
    const CExportResult result = Export();
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strError, QStringLiteral("bad.com is refused\r\nNothing was written to the database."));
    EXPECT_EQ(Rows(), before);
}

TEST_F(DatabaseExportTest, FileThatIsNoDatabaseIsLeftAlone)
{
    Add("a.com", STATUS_TAKEN, "Registrar: X");
    const QByteArray text = "Not a database, just somebody's notes.\n";
    WriteBytes(m_path, text);
    const CExportResult result = Export();
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strError, QStringLiteral("Error: Creating Database\r\nfile is not a database"));
    EXPECT_EQ(FileBytes(m_path), text);
}

TEST_F(DatabaseExportTest, DatabaseWithoutTheTableIsLeftAlone)
{
    Add("a.com", STATUS_TAKEN, "Registrar: X");
    Sql(QStringLiteral("CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('mine')"));
    const QByteArray bytes = FileBytes(m_path);
    const CExportResult result = Export();
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strError, QStringLiteral("Error: Opening Table\r\nno such table: Domain Names"));
    EXPECT_EQ(FileBytes(m_path), bytes);

    // A table of that name without the export's fields is no better.
    Sql(QStringLiteral("CREATE TABLE \"Domain Names\" (\"Names\" TEXT)"));
    EXPECT_EQ(Export().m_strError, QStringLiteral("Error: Opening Table\r\nno such column: Status"));
}

TEST_F(DatabaseExportTest, MissingFolderCreatesNothing)
{
    Add("a.com", STATUS_TAKEN, "Registrar: X");
    m_path = PathOf(QStringLiteral("gone/names.db"));
    const CExportResult result = Export();
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strError, QStringLiteral("Error: Creating Database\r\nunable to open database file"));
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(DatabaseExportTest, FileNamesThatLookLikeURIParts)
{
    Add("a.com", STATUS_TAKEN, "Registrar: X");
    m_path = PathOf(QStringLiteral("my list?mode=ro#1 100%.db"));
    ExpectWritten(1);
    EXPECT_EQ(Rows().size(), 1);
}
