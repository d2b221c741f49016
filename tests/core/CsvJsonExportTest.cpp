// CSV read back with Python's csv module, JSON with Qt's parser.
#include "ExportFixture.h"
#include "export/CsvExport.h"
#include "export/DomainJson.h"
#include "export/JsonExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <ctime>

namespace {

// Prints the rows of a CSV file as a JSON array of arrays.
constexpr char kReadCsv[] = "import csv, json, sys\n"
                            "with open(sys.argv[1], newline='', encoding='utf-8', errors='strict') as f:\n"
                            "    print(json.dumps(list(csv.reader(f, strict=True))))\n";

const QByteArray kAwkward = QByteArray("Registrar: \"Quoted, Inc.\"\r\nAddress: Caf\xE9 Stra\xDF" "e 1\n\x01 end");

class CsvJsonExportTest : public ExportFixture
{
protected:
    void AddRecords()
    {
        SetChecked(Add("taken.com", STATUS_TAKEN, kAwkward), 45000.25);
        Add("unmarked.com", STATUS_AVAILABLE, "No match", false);
        Add("comma,name.com", STATUS_UNKNOWN);
    }

    QString m_path = PathOf(QStringLiteral("export.out"));
};

QJsonArray Strings(std::initializer_list<QString> values)
{
    QJsonArray a;
    for (const QString& v : values)
        a.append(v);
    return a;
}

}

TEST_F(CsvJsonExportTest, CsvReadsBackWithPython)
{
    REQUIRE_TOOL(python, "python3");
    AddRecords();
    const CExportResult result = WriteCsvExport(m_doc, m_path);
    ASSERT_TRUE(result.m_bOk) << result.m_strError.toStdString();
    EXPECT_EQ(result.m_nCount, 2);

    const ToolRun run = RunTool(python, {QStringLiteral("-c"), QLatin1String(kReadCsv), m_path});
    ASSERT_EQ(run.m_nExit, 0) << run.m_err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(run.m_out).array();
    EXPECT_EQ(rows, (QJsonArray{Strings({QStringLiteral("name"), QStringLiteral("status"), QStringLiteral("status_text"),
                                         QStringLiteral("checked"), QStringLiteral("whois"), QStringLiteral("confirmed"),
                                         QStringLiteral("dns")}),
                                Strings({QStringLiteral("taken.com"), QStringLiteral("2"), QStringLiteral("Not Available"),
                                         QStringLiteral("2023-03-15T06:00:00"), QString::fromLatin1(kAwkward), QString(), QString()}),
                                Strings({QStringLiteral("comma,name.com"), QStringLiteral("0"), QStringLiteral("Unknown"),
                                         QString(), QString(), QString(), QString()})}));

    // Every record ends in CR LF, line breaks inside a field included.
    const QByteArray bytes = FileBytes(m_path);
    EXPECT_TRUE(bytes.startsWith("name,status,status_text,checked,whois,confirmed,dns\r\ntaken.com,2,"));
    EXPECT_TRUE(bytes.endsWith("\r\n\"comma,name.com\",0,Unknown,,,,\r\n"));
    EXPECT_TRUE(bytes.contains("\"Registrar: \"\"Quoted, Inc.\"\"\r\nAddress: Caf\xC3\xA9"));

    EXPECT_EQ(WriteCsvExport(m_doc, m_path, ExportScope::All).m_nCount, 3);
    EXPECT_TRUE(FileBytes(m_path).contains("\r\nunmarked.com,3,*AVAILABLE*,,No match,,\r\n"));
}

TEST_F(CsvJsonExportTest, JsonIsOneArrayOfTheListObjects)
{
    AddRecords();
    m_doc.GetAt(0)->m_strDNS = "192.0.2.1";
    const CExportResult result = WriteJsonExport(m_doc, m_path, ExportScope::All);
    ASSERT_TRUE(result.m_bOk) << result.m_strError.toStdString();
    EXPECT_EQ(result.m_nCount, 3);

    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(FileBytes(m_path), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray all = json.array();
    ASSERT_EQ(all.size(), 3);
    const QJsonObject first = all[0].toObject();
    EXPECT_EQ(first, (QJsonObject{{QStringLiteral("index"), 1},
                                  {QStringLiteral("name"), QStringLiteral("taken.com")},
                                  {QStringLiteral("status"), 2},
                                  {QStringLiteral("status_text"), QStringLiteral("Not Available")},
                                  {QStringLiteral("checked"), 45000.25},
                                  {QStringLiteral("selected"), true},
                                  {QStringLiteral("dns"), QStringLiteral("192.0.2.1")},
                                  {QStringLiteral("confirmed"), QJsonValue(QJsonValue::Null)},
                                  {QStringLiteral("whois"), QString::fromLatin1(kAwkward)},
                                  {QStringLiteral("rule"), QStringLiteral("generic taken 'registrar:'")},
                                  {QStringLiteral("channel"), QStringLiteral("whois")}}));
    EXPECT_EQ(all[1].toObject().value(QStringLiteral("selected")), QJsonValue(false));
    EXPECT_EQ(all[2].toObject().value(QStringLiteral("checked")), QJsonValue(QJsonValue::Null));

    // Only the ticked ones, keeping their places in the list.
    ASSERT_TRUE(WriteJsonExport(m_doc, m_path).m_bOk);
    const QJsonArray marked = QJsonDocument::fromJson(FileBytes(m_path)).array();
    ASSERT_EQ(marked.size(), 2);
    EXPECT_EQ(marked[1].toObject().value(QStringLiteral("index")).toInt(), 3);

    for (CDomainInfo* r : {m_doc.GetAt(0), m_doc.GetAt(1), m_doc.GetAt(2)})
        r->m_bSelected = 0;
    ASSERT_TRUE(WriteJsonExport(m_doc, m_path).m_bOk);
    EXPECT_EQ(FileBytes(m_path), "[\n]\n");
}

TEST_F(CsvJsonExportTest, JsonEscapesEveryControlCharacter)
{
    QByteArray hostile;
    for (int c = 0; c < 256; ++c)
        hostile.append(char(c));
    CDomainInfo record;
    record.m_strName = "x.com";
    record.m_strWhois = hostile;
    const QByteArray text = DomainRecordJsonText(record, 1);

    for (int i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        EXPECT_TRUE(c >= 0x20 && c != 0x7F) << "raw byte " << int(c) << " at " << i;
        if (c == 0xC2 && i + 1 < text.size()) {
            EXPECT_GT(static_cast<unsigned char>(text[i + 1]), 0x9F) << "raw C1 control at " << i;
        }
    }
    EXPECT_TRUE(text.contains("\\u0000") && text.contains("\\u001f") && text.contains("\\u007f")
                && text.contains("\\u009b"));
    const QJsonObject back = QJsonDocument::fromJson(text).object();
    EXPECT_EQ(back.value(QStringLiteral("whois")).toString(), QString::fromLatin1(hostile));
}

TEST_F(CsvJsonExportTest, RecordTextIsWhatTheObjectWriterWrites)
{
    // The record writer skips QJsonObject for speed; it must write the very
    // bytes the general writer writes for the same object.
    CDomainInfo rdap;
    rdap.m_strName = "caf\xe9-\x85.info";
    rdap.m_strWhois = "RDAP server: https://rdap.example/\r\n\"free\" \\ \x01\x7f\x9b\xa0\xff tab\t";
    rdap.m_strDNS = "192.0.2.1";
    rdap.m_nStatus = STATUS_AVAILABLE;
    rdap.m_dtChecked.m_dt = 45000.123456789;
    rdap.m_dtChecked.m_status = COleDateTime::valid;
    rdap.m_bSelected = 1;
    CDomainInfo fresh;
    fresh.m_strName = "new.com";
    for (const CDomainInfo* record : {&rdap, &fresh}) {
        QJsonObject o;
        const bool answered = !record->m_strWhois.isEmpty();
        o.insert(QStringLiteral("index"), 7);
        o.insert(QStringLiteral("name"), QString::fromLatin1(record->m_strName));
        o.insert(QStringLiteral("status"), int(record->m_nStatus));
        o.insert(QStringLiteral("status_text"), QLatin1String(record->StatusText()));
        o.insert(QStringLiteral("checked"), record->m_dtChecked.IsValid() ? QJsonValue(record->m_dtChecked.m_dt)
                                                                          : QJsonValue(QJsonValue::Null));
        o.insert(QStringLiteral("selected"), record->m_bSelected != 0);
        o.insert(QStringLiteral("dns"), QString::fromLatin1(record->m_strDNS));
        o.insert(QStringLiteral("confirmed"), QJsonValue(QJsonValue::Null));
        o.insert(QStringLiteral("whois"), QString::fromLatin1(record->m_strWhois));
        o.insert(QStringLiteral("rule"), QJsonValue(QJsonValue::Null));
        o.insert(QStringLiteral("channel"), answered ? QJsonValue(QStringLiteral("rdap")) : QJsonValue(QJsonValue::Null));
        const QByteArray direct = DomainRecordJsonText(*record, 7);
        EXPECT_EQ(direct.toStdString(), JsonObjectText(o).toStdString());
    }
}

TEST_F(CsvJsonExportTest, JsonTextReadsBackAsTheSameObject)
{
    const QString astral = QString::fromUtf8("\xF0\x9F\x94\x91 key");
    const QJsonObject object{{QStringLiteral("whole"), 45000},
                             {QStringLiteral("fraction"), 45000.123456789},
                             {QStringLiteral("big"), 1e300},
                             {QStringLiteral("negative"), -0.5},
                             {QStringLiteral("astral"), astral},
                             {QStringLiteral("nested"), QJsonArray{true, QJsonValue::Null, QJsonObject{{QStringLiteral("k"), QStringLiteral("\"v\\")}}}},
                             {QStringLiteral("\x01key"), false}};
    const QByteArray text = JsonObjectText(object);
    QJsonParseError error;
    EXPECT_EQ(QJsonDocument::fromJson(text, &error).object(), object) << text.toStdString();
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_TRUE(text.endsWith(",\"whole\":45000}")) << text.toStdString();
    EXPECT_TRUE(text.contains("\xF0\x9F\x94\x91 key"));

    // Half a pair cannot be UTF-8; escaped, it is still valid JSON.
    const QString lone(QChar(0xD83D));
    EXPECT_EQ(JsonObjectText(QJsonObject{{QStringLiteral("s"), lone}}), "{\"s\":\"\\ud83d\"}");
}

TEST_F(CsvJsonExportTest, DatesAreWallClockTimesInAnyZone)
{
    // 31 March 2024, 02:30: inside the hour that this zone skips in spring.
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    tzset();
    SetChecked(Add("gap.com", STATUS_TAKEN), 45382.0 + 2.5 / 24.0);
    const bool written = WriteCsvExport(m_doc, m_path).m_bOk;
    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
    ASSERT_TRUE(written);
    EXPECT_TRUE(FileBytes(m_path).contains("\r\ngap.com,2,Not Available,2024-03-31T02:30:00,,,\r\n"))
        << FileBytes(m_path).toStdString();
}
