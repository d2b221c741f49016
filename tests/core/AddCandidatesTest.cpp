#include "TestSupport.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "names/AddCandidates.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

class AddCandidatesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildDefaultTLDTable();
        m_doc.OnNewDocument();
    }

    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(m_doc.AddDomain("name" + QByteArray::number(i) + ".COM"));
    }

    ScopedTelvaroHome m_home;
    CDomainDoc m_doc;
};

}

TEST_F(AddCandidatesTest, TheLastFreePlaceTakesTheFirstNameAndTheSecondIsCounted)
{
    m_doc.m_nMaxEntries = 3000;
    Fill(2999);
    const CAddCount count = AddCandidates(m_doc, {"first.COM", "second.COM"});
    EXPECT_EQ(count.m_nAdded, 1);
    EXPECT_EQ(count.m_nDropped, 1);
    EXPECT_EQ(m_doc.GetCount(), 3000);
    EXPECT_NE(m_doc.FindDomain("first.COM"), nullptr);
    EXPECT_EQ(m_doc.FindDomain("second.COM"), nullptr);
}

TEST_F(AddCandidatesTest, OnlyNamesALargerListWouldTakeCountAsDropped)
{
    m_doc.m_nMaxEntries = 3;
    Fill(1);
    const CAddCount count = AddCandidates(m_doc, {
                                                     "name0.com",    // listed already
                                                     "bad_name.COM", // invalid
                                                     "shop.COM",     // added
                                                     "shop.NET",     // added, list now full
                                                     "more.COM",     // dropped
                                                     "MORE.com",     // the same name again
                                                     "name0.COM",    // listed
                                                     "shop.net",     // listed
                                                     "other",        // no TLD of the table
                                                     " last.ORG\t",  // dropped, as AddDomain trims
                                                 });
    EXPECT_EQ(count.m_nAdded, 2);
    EXPECT_EQ(count.m_nDropped, 2);
    EXPECT_EQ(m_doc.GetCount(), 3);
}

TEST_F(AddCandidatesTest, NothingIsDroppedWhileThereIsRoom)
{
    const CAddCount count = AddCandidates(m_doc, {"a.COM", "a.COM", "b c.COM", "b.COM"});
    EXPECT_EQ(count.m_nAdded, 2);
    EXPECT_EQ(count.m_nDropped, 0);
    EXPECT_TRUE(DescribeDroppedNames(count, GetEntryLimit(m_doc)).isEmpty());
}

TEST_F(AddCandidatesTest, TheLimitNeverPassesWhatAFileCanCount)
{
    m_doc.m_nMaxEntries = 100000;
    EXPECT_EQ(GetEntryLimit(m_doc), CDomainDoc::kMaxFileRecords);
    m_doc.m_nMaxEntries = 10;
    EXPECT_EQ(GetEntryLimit(m_doc), 10);
}

TEST(DescribeDroppedNamesTest, SaysWhatWasAddedWhatWasLeftOutAndWhatToDo)
{
    const QLocale locale;
    CAddCount count;
    count.m_nAdded = 1;
    count.m_nDropped = 1234;
    const QString text = DescribeDroppedNames(count, 3000);
    EXPECT_TRUE(text.contains(QStringLiteral("at most %1 names").arg(locale.toString(3000))));
    EXPECT_TRUE(text.contains(QStringLiteral("1 name was added; %1 more were left out.").arg(locale.toString(1234))))
        << text.toStdString();
    // The limit is a value in the settings file; no dialog sets it yet.
    EXPECT_TRUE(text.contains(QStringLiteral("\"Max Entries\" value in the [Settings] section")));
    EXPECT_TRUE(text.contains(QStringLiteral("Telvaro/Telvaro.conf")));
    EXPECT_FALSE(text.contains(QStringLiteral("Options")));
    EXPECT_FALSE(text.contains(QStringLiteral("elete"))) << "no delete commands exist";
    EXPECT_FALSE(text.contains(QStringLiteral("not tried")));

    // At the file's own limit, raising "Max Entries" would not help.
    count.m_nNotTried = 5;
    const QString capped = DescribeDroppedNames(count, CDomainDoc::kMaxFileRecords);
    EXPECT_FALSE(capped.contains(QStringLiteral("Max Entries")));
    EXPECT_TRUE(capped.contains(QStringLiteral("new list")));
    EXPECT_FALSE(capped.contains(QStringLiteral("elete")));
    EXPECT_TRUE(capped.contains(QStringLiteral("Another 5 names these words make were not tried.")));

    // Names never tried alone are still worth telling.
    count.m_nDropped = 0;
    EXPECT_FALSE(DescribeDroppedNames(count, 3000).isEmpty());
}
