#include "PdfSupport.h"
#include "TestSupport.h"
#include "base/Settings.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QProcess>

#include <gtest/gtest.h>

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// telvaro-cli print, end to end: the PDF it writes read back with Poppler.
class PrintCliTest : public ::testing::Test
{
protected:
    void SetUp() override { BuildDefaultTLDTable(); }

    struct Outcome
    {
        int m_nExit = -1;
        QByteArray m_out;
        QByteArray m_err;
    };

    Outcome Print(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TELVARO_CLI_PATH),
                QStringList{QStringLiteral("--home"), m_home.Path(), QStringLiteral("print")} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

    // n names, "name01.com" on; every third taken, every fifth free.
    QString MakeList(int n)
    {
        CDomainDoc doc;
        doc.OnNewDocument();
        for (int i = 1; i <= n; ++i) {
            EXPECT_TRUE(doc.AddDomain("name" + QByteArray::number(i).rightJustified(2, '0') + ".com"));
            CDomainInfo& r = *doc.GetAt(i - 1);
            // The status comes back from the answer when the list is read,
            // by the rules of the .com registry.
            if (i % 3 == 0)
                r.m_strWhois = "Domain Name: " + r.m_strName.toUpper() + "\r\nRegistrar: Example\r\n";
            else if (i % 5 == 0)
                r.m_strWhois = "No match for \"" + r.m_strName.toUpper() + "\".\r\n";
        }
        const QString path = m_home.Path() + QStringLiteral("list.qzn");
        EXPECT_TRUE(doc.OnSaveDocument(path).IsOk());
        return path;
    }

    ScopedTelvaroHome m_home;
    QString m_pdf = m_home.Path() + QStringLiteral("out.pdf");
};

}

TEST_F(PrintCliTest, ThirtyOneNamesMakeTwoPagesTheSecondHoldingOnlyTheLast)
{
    const Outcome r = Print({MakeList(31), QStringLiteral("--pdf"), m_pdf, QStringLiteral("--lines"), QStringLiteral("30")});
    ASSERT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_EQ(r.m_out, "2\n");
    EXPECT_EQ(PdfPageCount(m_pdf), 2);
    EXPECT_TRUE(PdfInfo(m_pdf, QStringLiteral("Page size")).contains(QLatin1String("(A4)")));

    const QStringList first = PdfPageLines(m_pdf, 1);
    const QString today = QLocale::c().toString(QDate::currentDate(), QStringLiteral("dddd, MMMM dd, yyyy"));
    ASSERT_EQ(first.size(), 33) << first.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(first[0], QStringLiteral("Telvaro | ") + today);
    EXPECT_EQ(first[1], QStringLiteral("Domain Names | Status | Checked On"));
    EXPECT_EQ(first[2], QStringLiteral("1] name01.com | Unknown | -"));
    EXPECT_EQ(first[4], QStringLiteral("3] name03.com | Taken | -"));
    EXPECT_EQ(first[6], QStringLiteral("5] name05.com | *AVAILABLE* | -"));
    EXPECT_EQ(first[31], QStringLiteral("30] name30.com | Taken | -"));
    EXPECT_TRUE(first.last().endsWith(QLatin1String(" | Page-1"))) << first.last().toStdString();

    const QStringList second = PdfPageLines(m_pdf, 2);
    ASSERT_EQ(second.size(), 4) << second.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(second[2], QStringLiteral("31] name31.com | Unknown | -"));
    EXPECT_TRUE(second[3].endsWith(QLatin1String(" | Page-2")));
}

TEST_F(PrintCliTest, LinesComeFromTheSettingUnlessGivenAndPaperCanBeChosen)
{
    const QString list = MakeList(31);
    // The stored "Print Lines" is the default of --lines.
    Settings::PrintLines.Set(10);
    Outcome r = Print({list, QStringLiteral("--pdf"), m_pdf, QStringLiteral("--paper"), QStringLiteral("letter")});
    ASSERT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_EQ(r.m_out, "4\n");
    EXPECT_TRUE(PdfInfo(m_pdf, QStringLiteral("Page size")).startsWith(QLatin1String("612 x 792 pts")));
    EXPECT_EQ(PdfPageLines(m_pdf, 4)[2], QStringLiteral("31] name31.com | Unknown | -"));

    r = Print({list, QStringLiteral("--pdf"), m_pdf, QStringLiteral("--lines"), QStringLiteral("31")});
    EXPECT_EQ(r.m_out, "1\n");
}

TEST_F(PrintCliTest, AnEmptyListPrintsOnePageWithoutADisplay)
{
    CDomainDoc doc;
    doc.OnNewDocument();
    const QString list = m_home.Path() + QStringLiteral("empty.qzn");
    ASSERT_TRUE(doc.OnSaveDocument(list).IsOk());
    // No platform named and no display: the command picks one that needs none.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const Outcome r = Print({list, QStringLiteral("--pdf"), m_pdf}, env);
    ASSERT_EQ(r.m_nExit, 0) << r.m_err.toStdString();
    EXPECT_EQ(r.m_out, "1\n");
    const QStringList lines = PdfPageLines(m_pdf, 1);
    ASSERT_EQ(lines.size(), 3) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("Telvaro | ")));
    EXPECT_EQ(lines[1], QStringLiteral("Domain Names | Status | Checked On"));
    EXPECT_TRUE(lines[2].endsWith(QLatin1String(" | Page-1")));
}

TEST_F(PrintCliTest, BadWordsMissingListsAndUnwritableFilesFail)
{
    const QString list = MakeList(3);
    const QStringList toPdf{list, QStringLiteral("--pdf"), m_pdf};
    for (const QStringList& words : {QStringList{list}, toPdf + QStringList{QStringLiteral("--lines"), QStringLiteral("0")},
                                     toPdf + QStringList{QStringLiteral("--lines"), QStringLiteral("x")},
                                     toPdf + QStringList{QStringLiteral("--paper"), QStringLiteral("Napkin")}}) {
        const Outcome r = Print(words);
        EXPECT_EQ(r.m_nExit, 2) << words.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(QFile::exists(m_pdf));
    }
    Outcome r = Print({m_home.Path() + QStringLiteral("missing.qzn"), QStringLiteral("--pdf"), m_pdf});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_FALSE(QFile::exists(m_pdf));

    r = Print({list, QStringLiteral("--pdf"), m_home.Path() + QStringLiteral("no/such/folder/out.pdf")});
    EXPECT_EQ(r.m_nExit, 1);
    EXPECT_TRUE(r.m_err.contains("out.pdf")) << r.m_err.toStdString();
}
