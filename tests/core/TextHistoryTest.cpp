#include "TestSupport.h"
#include "base/Settings.h"
#include "base/TextHistory.h"

#include <gtest/gtest.h>

namespace {

QStringList Texts(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list.append(QString::fromLatin1(t));
    return list;
}

}

TEST(TextHistoryTest, LoadReadsUpToCountAndSkipsEmptyEntries)
{
    ScopedTelvaroHome home;
    EXPECT_TRUE(LoadTextHistory(Settings::KeywordsSection).isEmpty());

    WriteProfileInt("Keywords", "Count", 3);
    WriteProfileString("Keywords", "1", QStringLiteral("shop"));
    WriteProfileString("Keywords", "2", QString());
    WriteProfileString("Keywords", "3", QStringLiteral("caf\u00e9"));
    WriteProfileString("Keywords", "4", QStringLiteral("beyond count"));
    WriteProfileString("Keywords", "03", QStringLiteral("not an entry name"));
    EXPECT_EQ(LoadTextHistory("Keywords"), QStringList({QStringLiteral("shop"), QStringLiteral("caf\u00e9")}));

    // A damaged count must not make loading read every number up to it.
    WriteProfileInt("Keywords", "Count", 2147483647);
    EXPECT_EQ(LoadTextHistory("Keywords").size(), 3);
}

TEST(TextHistoryTest, NewTextsGoOnTopAndTheTwentySecondPushesOutTheOldest)
{
    ScopedTelvaroHome home;
    QStringList items;
    for (int i = 1; i <= 22; ++i)
        ASSERT_TRUE(SaveTextHistory(items, QStringLiteral("k%1").arg(i), Settings::KeywordsSection));
    ASSERT_EQ(items.size(), 21);
    EXPECT_EQ(items.front(), QStringLiteral("k22"));
    EXPECT_EQ(items.back(), QStringLiteral("k2"));
    EXPECT_EQ(GetProfileInt("Keywords", "Count", 0), 21);
    EXPECT_EQ(LoadTextHistory("Keywords"), items);
}

TEST(TextHistoryTest, ARepeatedTextMovesToTheTopWithoutGrowing)
{
    ScopedTelvaroHome home;
    QStringList items = Texts({"alpha", "Shop", "beta"});
    EXPECT_TRUE(SaveTextHistory(items, QStringLiteral("  SHOP \r\n"), "Find"));
    EXPECT_EQ(items, Texts({"SHOP", "alpha", "beta"}));
    EXPECT_EQ(LoadTextHistory("Find"), items);

    // A full history with a repeat keeps all its other entries.
    items.clear();
    for (int i = 0; i < 21; ++i)
        items.append(QStringLiteral("k%1").arg(i));
    EXPECT_TRUE(SaveTextHistory(items, QStringLiteral("k20"), "Find"));
    EXPECT_EQ(items.size(), 21);
    EXPECT_EQ(items.front(), QStringLiteral("k20"));
    EXPECT_EQ(items.back(), QStringLiteral("k19"));
}

TEST(TextHistoryTest, BlankTextChangesNothing)
{
    ScopedTelvaroHome home;
    QStringList items = Texts({"alpha"});
    EXPECT_FALSE(SaveTextHistory(items, QStringLiteral(" \t\r\n"), "Keywords"));
    EXPECT_EQ(items, Texts({"alpha"}));
    EXPECT_EQ(GetProfileInt("Keywords", "Count", -1), -1);
}
