#include "TestSupport.h"
#include "model/Archive.h"
#include "model/DomainPadFile.h"
#include "model/DomainPadList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

// The Domain Pad's names and its file, dpad.dp.
namespace {

class DomainPadListTest : public ::testing::Test
{
protected:
    QString PadPath() const { return m_home.Path() + QStringLiteral("dpad.dp"); }

    QByteArray FileBytes(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    void WriteBytes(const QString& path, const QByteArray& data) const
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    // The item counts the pad announced, in order.
    std::vector<int> m_counts;
    void Watch(CDomainPadList& pad)
    {
        QObject::connect(&pad, &CDomainPadList::ItemCountChanged, [this](int n) { m_counts.push_back(n); });
    }

    ScopedTelvaroHome m_home;
};

}

TEST_F(DomainPadListTest, InsertNameRefusesEveryCaseOfANameItHolds)
{
    CDomainPadList pad;
    Watch(pad);
    EXPECT_TRUE(pad.InsertName("Kettle.com"));
    EXPECT_FALSE(pad.InsertName("kettle.COM"));
    EXPECT_FALSE(pad.InsertName("KETTLE.COM"));
    EXPECT_TRUE(pad.InsertName("kettle.net"));
    EXPECT_EQ(pad.GetNames(), (QByteArrayList{"Kettle.com", "kettle.net"}));
    // The rows shown change only when the caller says so.
    EXPECT_TRUE(m_counts.empty());
    pad.UpdateItemCount();
    EXPECT_EQ(m_counts, std::vector<int>{2});

    // After deleting and sorting, the index still knows exactly what is held.
    EXPECT_EQ(pad.DeleteRows({0}), 1);
    EXPECT_TRUE(pad.InsertName("KETTLE.com"));
    EXPECT_FALSE(pad.InsertName("Kettle.Net"));
}

TEST_F(DomainPadListTest, SortIgnoresCaseAndDeleteTakesTheGivenRowsOnly)
{
    CDomainPadList pad;
    for (const char* name : {"beta.com", "Alpha.com", "gamma.com", "alpha.net", "Delta.com"})
        pad.InsertName(name);
    pad.SortNames();
    EXPECT_EQ(pad.GetNames(), (QByteArrayList{"Alpha.com", "alpha.net", "beta.com", "Delta.com", "gamma.com"}));
    EXPECT_EQ(pad.GetItemCount(), 5);

    // Rows in any order, repeated or outside the list.
    EXPECT_EQ(pad.NamesAt({3, 0, 3, 99, -1}), (QByteArrayList{"Alpha.com", "Delta.com"}));
    EXPECT_EQ(pad.DeleteRows({4, 1, 1, 7, -2}), 2);
    EXPECT_EQ(pad.GetNames(), (QByteArrayList{"Alpha.com", "beta.com", "Delta.com"}));
    EXPECT_EQ(pad.GetItemCount(), 3);
    EXPECT_EQ(pad.DeleteRows({}), 0);
}

TEST_F(DomainPadListTest, FileIsTheListArchiveAndAnEmptyPadIsTwoZeroBytes)
{
    CDomainPadList pad;
    ASSERT_TRUE(SaveDomainPad(pad, PadPath()).IsOk());
    EXPECT_EQ(FileBytes(PadPath()), Bytes({0, 0}));

    pad.InsertName("a.com");
    pad.InsertName("Bb.net");
    ASSERT_TRUE(SaveDomainPad(pad, PadPath()).IsOk());
    EXPECT_EQ(FileBytes(PadPath()), QByteArray("\x02\x00\x05" "a.com" "\x06" "Bb.net", 15));
    EXPECT_EQ(GetDomainPadPath(), m_home.Path() + QStringLiteral("dpad.dp"));
}

TEST_F(DomainPadListTest, LongNamesSurviveSaveAndLoad)
{
    CDomainPadList pad;
    const QByteArray name300 = QByteArray(296, 'k') + ".com";
    const QByteArray name70000 = QByteArray(69996, 'x') + ".com";
    pad.InsertName("short.com");
    pad.InsertName(name300);
    pad.InsertName(name70000);
    ASSERT_TRUE(SaveDomainPad(pad, PadPath()).IsOk());
    const QByteArray bytes = FileBytes(PadPath());
    // 300 characters take the long form: 0xFF, then a 16-bit length.
    EXPECT_EQ(bytes.mid(2 + 1 + 9, 3), Bytes({0xFF, 0x2C, 0x01}));

    CDomainPadList loaded;
    Watch(loaded);
    const CResult result = LoadDomainPad(loaded, PadPath());
    EXPECT_TRUE(result.IsOk());
    EXPECT_FALSE(result.HasMessage());
    EXPECT_EQ(loaded.GetNames(), (QByteArrayList{"short.com", name300, name70000}));
    EXPECT_EQ(m_counts, std::vector<int>{3});
    EXPECT_FALSE(loaded.InsertName(name300.toUpper()));
}

TEST_F(DomainPadListTest, MissingFileLeavesThePadEmptyWithoutAWord)
{
    CDomainPadList pad;
    pad.InsertName("left.over.com");
    const CResult result = LoadDomainPad(pad, PadPath());
    EXPECT_TRUE(result.IsOk());
    EXPECT_FALSE(result.HasMessage());
    EXPECT_TRUE(pad.GetNames().isEmpty());
    EXPECT_FALSE(QFile::exists(PadPath()));
}

TEST_F(DomainPadListTest, DamagedFileKeepsTheNamesBeforeTheDamageAndIsSetAside)
{
    // Three names announced, the third cut short.
    const QByteArray damaged("\x03\x00\x05" "a.com" "\x05" "b.com" "\x09" "c.c", 18);
    WriteBytes(PadPath(), damaged);
    WriteBytes(PadPath() + QStringLiteral(".damaged"), "an older one");

    CDomainPadList pad;
    const CResult result = LoadDomainPad(pad, PadPath());
    EXPECT_TRUE(result.IsOk());
    ASSERT_TRUE(result.HasMessage());
    EXPECT_TRUE(result.Message().contains(PadPath())) << result.Message().toStdString();
    EXPECT_TRUE(result.Message().contains(QStringLiteral("2 names"))) << result.Message().toStdString();
    EXPECT_TRUE(result.Message().contains(PadPath() + QStringLiteral(".damaged"))) << result.Message().toStdString();
    EXPECT_EQ(pad.GetNames(), (QByteArrayList{"a.com", "b.com"}));
    EXPECT_EQ(pad.GetItemCount(), 2);

    // The damaged bytes are kept whole beside the place of the next save.
    EXPECT_FALSE(QFile::exists(PadPath()));
    EXPECT_EQ(FileBytes(PadPath() + QStringLiteral(".damaged")), damaged);
    ASSERT_TRUE(SaveDomainPad(pad, PadPath()).IsOk());
    EXPECT_EQ(FileBytes(PadPath() + QStringLiteral(".damaged")), damaged);
    CDomainPadList again;
    EXPECT_FALSE(LoadDomainPad(again, PadPath()).HasMessage());
    EXPECT_EQ(again.GetNames(), pad.GetNames());
}

TEST_F(DomainPadListTest, HostileCountsAndLengthsEndInDamageNotInMemory)
{
    // 65535 names announced, and a name that claims four gigabytes.
    for (const QByteArray& data : {Bytes({0xFF, 0xFF}), Bytes({0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
                                   Bytes({0x01})}) {
        WriteBytes(PadPath(), data);
        CDomainPadList pad;
        const CResult result = LoadDomainPad(pad, PadPath());
        EXPECT_TRUE(result.HasMessage());
        EXPECT_TRUE(pad.GetNames().isEmpty());
        EXPECT_EQ(FileBytes(PadPath() + QStringLiteral(".damaged")), data);
    }
}

TEST_F(DomainPadListTest, UnreadableFileIsReportedAndNotOverwritten)
{
    // A folder in the file's place cannot be read as a pad.
    ASSERT_TRUE(QDir().mkpath(PadPath()));
    CDomainPadList pad;
    const CResult result = LoadDomainPad(pad, PadPath());
    EXPECT_TRUE(result.HasMessage());
    EXPECT_TRUE(pad.GetNames().isEmpty());
    EXPECT_TRUE(QFileInfo(PadPath() + QStringLiteral(".damaged")).isDir());
}

TEST_F(DomainPadListTest, FailedSaveLeavesThePreviousFileAndSaysWhy)
{
    CDomainPadList pad;
    pad.InsertName("kept.com");
    ASSERT_TRUE(SaveDomainPad(pad, PadPath()).IsOk());
    const QByteArray before = FileBytes(PadPath());
    pad.InsertName("lost.com");
    // Writing into a folder that does not exist fails.
    const QString nowhere = m_home.Path() + QStringLiteral("no/such/folder/dpad.dp");
    const CResult result = SaveDomainPad(pad, nowhere);
    EXPECT_FALSE(result.IsOk());
    EXPECT_TRUE(result.Message().contains(nowhere));
    EXPECT_EQ(FileBytes(PadPath()), before);
}
