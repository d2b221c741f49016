#include "TestSupport.h"
#include "names/ConstructOptions.h"
#include "base/Settings.h"

#include <gtest/gtest.h>

TEST(ConstructOptionsTest, DefaultsRoundTripAndUnknownKinds)
{
    ScopedTelvaroHome home;
    CConstructOptions options = CConstructOptions::Load();
    EXPECT_FALSE(options.m_bUseDash);
    EXPECT_FALSE(options.m_bNoStartAppend);
    EXPECT_FALSE(options.m_bNoEndAppend);
    EXPECT_TRUE(options.m_bNoBothAppend);
    EXPECT_EQ(options.m_nWebType, 0);

    options = {true, false, true, false, 4};
    options.Save();
    EXPECT_EQ(Settings::NoEndAppend.Get(), 1);
    EXPECT_EQ(Settings::NoBothAppend.Get(), 0);
    EXPECT_EQ(CConstructOptions::Load().m_nWebType, 4);

    // A stored kind out of range would name word files of no kind.
    for (int bad : {6, -1}) {
        Settings::WebType.Set(bad);
        EXPECT_EQ(CConstructOptions::Load().m_nWebType, 0);
    }
}
