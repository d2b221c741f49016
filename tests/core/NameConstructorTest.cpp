#include "model/TLDTable.h"
#include "names/NameConstructor.h"
#include "names/WordLists.h"

#include <gtest/gtest.h>

namespace {

CConstructOptions Options(bool useDash, bool noBoth)
{
    CConstructOptions options;
    options.m_bUseDash = useDash;
    options.m_bNoBothAppend = noBoth;
    return options;
}

QByteArray BuiltIn(int kind, int list)
{
    QByteArray text = GetBuiltInWordList(kind, list);
    NormalizeWordList(text);
    return text;
}

}

TEST(NameConstructorTest, ShopExampleInExactOrder)
{
    const CNameConstructor constructor("shop", "e\r\nmy\r\n", "net\r\n", Options(true, false));
    EXPECT_EQ(constructor.GetStartEntries(), QByteArrayList({"e", "e-", "my", "my-"}));
    EXPECT_EQ(constructor.GetEndEntries(), QByteArrayList({"net", "-net"}));
    EXPECT_EQ(constructor.BuildNames({"COM"}),
              QByteArrayList({"shop", "shop.COM", "eshop.COM", "e-shop.COM", "myshop.COM", "my-shop.COM",
                              "shopnet.COM", "shop-net.COM", "eshopnet.COM", "eshop-net.COM",
                              "e-shopnet.COM", "e-shop-net.COM", "myshopnet.COM", "myshop-net.COM",
                              "my-shopnet.COM", "my-shop-net.COM"}));
}

TEST(NameConstructorTest, EveryStemTakesEveryTickedTLDInTableOrder)
{
    BuildDefaultTLDTable();
    g_tldTable.GetAt(2)->m_bSelected = 1; // ORG, after the ticked COM
    const CNameConstructor constructor("shop", "e", "", Options(false, true));
    EXPECT_EQ(constructor.BuildNames(),
              QByteArrayList({"shop", "shop.COM", "shop.ORG", "eshop.COM", "eshop.ORG"}));
}

TEST(NameConstructorTest, CountFollowsTheFormulaForTheBusinessLists)
{
    const QByteArray start = BuiltIn(1, kStartWordList);
    const QByteArray end = BuiltIn(1, kEndWordList);
    BuildDefaultTLDTable();
    QByteArrayList tlds;
    for (const auto& row : g_tldTable.m_rows)
        tlds.append(row->m_strTLD);
    ASSERT_EQ(tlds.size(), 12);

    for (bool noBoth : {false, true}) {
        const CNameConstructor constructor("widget", start, end, Options(true, noBoth));
        const qsizetype s = constructor.GetStartEntries().size();
        const qsizetype e = constructor.GetEndEntries().size();
        EXPECT_EQ(s, 2 * 9);
        const qsizetype expected = 1 + 12 * (1 + s + e + (noBoth ? 0 : s * e));
        const QByteArrayList names = constructor.BuildNames(tlds);
        EXPECT_EQ(names.size(), expected);
        EXPECT_EQ(constructor.GetNameCount(tlds.size()), expected);
        EXPECT_EQ(names.back(), noBoth ? "widget-online.HK" : "micro-widget-online.HK");
    }
}

TEST(NameConstructorTest, WordsLoseTheirDotsAndTheKeywordItself)
{
    const CNameConstructor constructor("  shop\t", "Shop\r\ne.shop;x", "Shop", Options(false, false));
    EXPECT_EQ(constructor.GetKeyword(), "shop");
    // The start word equal to the keyword goes, the end list keeps its own.
    EXPECT_EQ(constructor.GetStartEntries(), QByteArrayList({"eshop", "x"}));
    EXPECT_EQ(constructor.GetEndEntries(), QByteArrayList());
    // Dots come off first, so "s.hop" equals the keyword.
    EXPECT_TRUE(CNameConstructor("shop", "", "s.hop", Options(false, false)).GetEndEntries().isEmpty());
    EXPECT_EQ(CNameConstructor("shop", "", "e-shop", Options(false, false)).BuildNames({"NET"}),
              QByteArrayList({"shop", "shop.NET", "shope-shop.NET"}));
}

TEST(NameConstructorTest, SwitchedOffSidesAreNotPaddedEvenWithBoth)
{
    CConstructOptions options = Options(true, false);
    options.m_bNoStartAppend = true;
    EXPECT_EQ(CNameConstructor("shop", "e", "net", options).BuildNames({"COM"}),
              QByteArrayList({"shop", "shop.COM", "shopnet.COM", "shop-net.COM"}));
    options.m_bNoEndAppend = true;
    EXPECT_EQ(CNameConstructor("shop", "e", "net", options).BuildNames({"COM"}),
              QByteArrayList({"shop", "shop.COM"}));
}

TEST(NameConstructorTest, EmptyKeywordOrNoTLDsStillFollowTheRules)
{
    EXPECT_EQ(CNameConstructor(" ", "e", "net", Options(false, false)).BuildNames({"COM"}),
              QByteArrayList({"", ".COM", "e.COM", "net.COM", "enet.COM"}));
    EXPECT_EQ(CNameConstructor("shop", "e", "net", Options(false, false)).BuildNames({}),
              QByteArrayList({"shop"}));
}

TEST(NameConstructorTest, OfferingStopsWhenTheCallerIsFull)
{
    const CNameConstructor constructor("shop", "e my", "net", Options(false, false));
    QByteArrayList taken;
    EXPECT_FALSE(constructor.ForEachName({"COM", "NET"}, [&taken](QByteArrayView name) {
        taken.append(name.toByteArray());
        return taken.size() < 4;
    }));
    EXPECT_EQ(taken, QByteArrayList({"shop", "shop.COM", "shop.NET", "eshop.COM"}));
    EXPECT_TRUE(constructor.ForEachName({"COM"}, [](QByteArrayView) { return true; }));
}

TEST(NameConstructorTest, HugeCountsSaturateInsteadOfOverflowing)
{
    QByteArray words;
    for (int i = 0; i < 20; ++i)
        words += "w" + QByteArray::number(i) + ' ';
    const CNameConstructor constructor("k", words, words, Options(true, false));
    // 1 + 40 + 40 + 40 * 40 = 1681 stems; times a table size near the end of
    // qint64 they no longer fit.
    EXPECT_EQ(constructor.GetNameCount(1000), 1 + 1000 * 1681);
    EXPECT_EQ(constructor.GetNameCount(std::numeric_limits<qsizetype>::max() / 1000),
              std::numeric_limits<qint64>::max());
}
