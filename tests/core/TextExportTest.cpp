#include "ExportFixture.h"
#include "export/TextExport.h"

namespace {

class TextExportTest : public ExportFixture
{
protected:
    QByteArray Export(TextExportKind kind, int expectedCount, ExportScope scope = ExportScope::Marked)
    {
        const CExportResult result = WriteTextExport(m_doc, m_path, kind, scope);
        EXPECT_TRUE(result.m_bOk) << result.m_strError.toStdString();
        EXPECT_EQ(result.m_nCount, expectedCount);
        return FileBytes(m_path);
    }

    void AddMixedList()
    {
        Add("taken.com", STATUS_TAKEN);
        Add("free-unmarked.com", STATUS_AVAILABLE, {}, false);
        Add("checking.com", STATUS_CHECKING);
        Add("free.net", STATUS_AVAILABLE);
        Add("tired.com", STATUS_TOO_MANY_ERRORS, {}, false);
        Add("error.com", 7);
        Add("new.com", STATUS_UNKNOWN);
    }

    QString m_path = PathOf(QStringLiteral("names.txt"));
};

}

TEST_F(TextExportTest, MarkedNamesWithStatus)
{
    AddMixedList();
    EXPECT_EQ(Export(TextExportKind::NamesWithStatus, 5),
              "1, taken.com, Not Available\r\n2, checking.com, Checking\r\n3, free.net, *AVAILABLE*\r\n"
              "4, error.com, Error\r\n5, new.com, Unknown\r\n");
    EXPECT_EQ(Export(TextExportKind::NamesWithStatus, 7, ExportScope::All),
              "1, taken.com, Not Available\r\n2, free-unmarked.com, *AVAILABLE*\r\n3, checking.com, Checking\r\n"
              "4, free.net, *AVAILABLE*\r\n5, tired.com, Too many errors\r\n6, error.com, Error\r\n"
              "7, new.com, Unknown\r\n");
}

TEST_F(TextExportTest, FreeNamesWhetherMarkedOrNot)
{
    AddMixedList();
    EXPECT_EQ(Export(TextExportKind::FreeNames, 2), "1, free-unmarked.com\r\n2, free.net\r\n");
    EXPECT_EQ(Export(TextExportKind::FreeNames, 2, ExportScope::All), "1, free-unmarked.com\r\n2, free.net\r\n");
}

TEST_F(TextExportTest, ReplacesAnOldFileAndCountsZeroLines)
{
    WriteBytes(m_path, "an old, much longer file that must not survive\r\n");
    Add("taken.com", STATUS_TAKEN, {}, false);
    EXPECT_EQ(Export(TextExportKind::NamesWithStatus, 0), "");
    EXPECT_EQ(Export(TextExportKind::FreeNames, 0), "");
    m_doc.GetAt(0)->m_bSelected = 1;
    EXPECT_EQ(Export(TextExportKind::NamesWithStatus, 1), "1, taken.com, Not Available\r\n");
}

TEST_F(TextExportTest, UnwritablePathIsAnErrorNotZeroRecords)
{
    Add("free.net", STATUS_AVAILABLE);
    const QString missing = PathOf(QStringLiteral("gone/names.txt"));
    for (const TextExportKind kind : {TextExportKind::NamesWithStatus, TextExportKind::FreeNames}) {
        const CExportResult result = WriteTextExport(m_doc, missing, kind);
        EXPECT_FALSE(result.m_bOk);
        EXPECT_EQ(result.m_nCount, 0);
        EXPECT_EQ(result.m_strError,
                  QStringLiteral("Telvaro could not write \"%1\": No such file or directory.").arg(missing));
    }
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(TextExportTest, FullDeviceIsAnError)
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "this system has no /dev/full";
    Add("free.net", STATUS_AVAILABLE);
    // A few bytes stay in the file's buffer until the export flushes them.
    const CExportResult result = WriteTextExport(m_doc, full, TextExportKind::FreeNames);
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strError, QStringLiteral("Telvaro could not write the export: No space left on device."));
}
