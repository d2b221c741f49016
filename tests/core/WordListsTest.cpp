#include "TestSupport.h"
#include "names/WordLists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}

TEST(WordListsTest, NormalizeSplitsAtEverySeparatorButTabsDigitsAndHash)
{
    QByteArray text = GetBuiltInWordList(3, kStartWordList);
    NormalizeWordList(text);
    EXPECT_EQ(text, "good\r\nnice\r\nfast\r\n");

    text = QByteArray("a") + QByteArray(kWordSeparators) + "b\tc 4#x";
    NormalizeWordList(text);
    EXPECT_EQ(text, "a\r\nb\tc\r\n4#x\r\n");

    text = " -;\r\n";
    NormalizeWordList(text);
    EXPECT_EQ(text, "");
}

TEST(WordListsTest, MissingFilesFallBackToTheBuiltInListOnlyWithACode)
{
    ScopedTelvaroHome home;
    const QString missing = home.Path() + QStringLiteral("none.txt");

    QByteArray text = "kept";
    EXPECT_FALSE(LoadWordList(missing, text, 0));
    EXPECT_EQ(text, "kept");

    EXPECT_FALSE(LoadWordList(missing, text, MakeWordListCode(4, kEndWordList)));
    EXPECT_EQ(text, "coach\r\nrun\r\ntrial\r\nleague\r\ngame\r\nrace\r\n");

    // No such kind: nothing built in, rather than someone else's list.
    EXPECT_FALSE(LoadWordList(missing, text, MakeWordListCode(9, kStartWordList)));
    EXPECT_EQ(text, "");

    QByteArray start = "x", end = "y";
    LoadWordLists(kWebTypeCustom, start, end);
    EXPECT_EQ(start, "");
    EXPECT_EQ(end, "");

    LoadWordLists(0, start, end);
    EXPECT_TRUE(start.startsWith("free\r\ngood\r\n4\r\n"));
    EXPECT_TRUE(end.endsWith("\r\ntech\r\ntek\r\n"));
}

TEST(WordListsTest, AnExistingEmptyFileGivesAnEmptyList)
{
    ScopedTelvaroHome home;
    WriteFile(home.Path() + QStringLiteral("qzn.1"), {});
    QByteArray start = "x", end;
    LoadWordLists(0, start, end);
    EXPECT_EQ(start, "");
    EXPECT_TRUE(end.startsWith("e\r\nweb\r\n"));
}

TEST(WordListsTest, SavedTextIsWrittenAsItIsAndSplitWhenLoaded)
{
    ScopedTelvaroHome home;
    SaveWordLists(2, "e.shop\r\nmy-site", "a b");
    EXPECT_EQ(ReadFile(home.Path() + QStringLiteral("qzn2.1")), "e.shop\r\nmy-site");
    EXPECT_EQ(ReadFile(home.Path() + QStringLiteral("qzn2.2")), "a b");

    QByteArray start, end;
    LoadWordLists(2, start, end);
    EXPECT_EQ(start, "e\r\nshop\r\nmy\r\nsite\r\n");
    EXPECT_EQ(end, "a\r\nb\r\n");
}

TEST(WordListsTest, AFailedWriteLeavesNothingBehindAndSaysSo)
{
    ScopedTelvaroHome home;
    const QString path = home.Path() + QStringLiteral("no/such/folder/qzn.1");
    EXPECT_FALSE(SaveWordList(path, "good\r\n"));
    EXPECT_FALSE(QFile::exists(path));

    // A directory where the file should be: the directory survives untouched.
    const QString blocked = GetWordFilePath(1, kStartWordList);
    ASSERT_TRUE(QDir().mkpath(blocked));
    EXPECT_FALSE(SaveWordList(blocked, "good\r\n"));
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}
