#include "model/TLDTable.h"
#include "names/NameCandidates.h"

#include <gtest/gtest.h>

namespace {

// Default table: COM, NET, ORG, CO.UK, ... HK; only the given rows ticked.
void TickRows(std::initializer_list<int> rows)
{
    BuildDefaultTLDTable();
    for (qsizetype i = 0; i < g_tldTable.GetSize(); ++i)
        g_tldTable.GetAt(i)->m_bSelected = 0;
    for (int i : rows)
        g_tldTable.GetAt(i)->m_bSelected = 1;
}

}

TEST(NameCandidatesTest, NamesWithATLDOfTheTableAreOfferedAsTyped)
{
    TickRows({0, 1});
    EXPECT_EQ(BuildNameCandidates("a.com, b.com;c.com"), QByteArrayList({"a.com", "b.com", "c.com"}));
    TickRows({});
    EXPECT_EQ(BuildNameCandidates("Shop.COM"), QByteArrayList({"Shop.COM"}));
}

TEST(NameCandidatesTest, BareNamesGetEveryTickedTLDInTableOrder)
{
    // HK (last row) and NET ticked, COM as well: the table decides the order.
    TickRows({11, 1, 0});
    EXPECT_EQ(BuildNameCandidates("Shop"), QByteArrayList({"Shop.COM", "Shop.NET", "Shop.HK"}));
    TickRows({});
    EXPECT_TRUE(BuildNameCandidates("shop").isEmpty());
}

TEST(NameCandidatesTest, SeparatorRunsGiveNoEmptyNamesButTabsSeparateNothing)
{
    TickRows({0});
    EXPECT_EQ(BuildNameCandidates(" ,;\r\n a.com\r\n\r\n;; b \r\n"),
              QByteArrayList({"a.com", "b.COM"}));
    EXPECT_TRUE(BuildNameCandidates(" \r\n,;").isEmpty());

    // One token with a tab inside: combined with the TLD and refused later.
    const QByteArrayList tabbed = BuildNameCandidates("a.com\tb.com");
    ASSERT_EQ(tabbed, QByteArrayList({"a.com\tb.com.COM"}));
    EXPECT_FALSE(IsValidDomainName(tabbed[0]));
}

TEST(NameCandidatesTest, InvalidNamesAreLeftForTheDocumentToRefuse)
{
    TickRows({0});
    const QByteArrayList names = BuildNameCandidates("my_shop");
    ASSERT_EQ(names, QByteArrayList({"my_shop.COM"}));
    EXPECT_FALSE(IsValidDomainName(names[0]));
}
