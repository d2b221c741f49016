#include "TestSupport.h"
#include "base/Settings.h"
#include "base/ProgramFolder.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(Profile, DefaultsAndRoundTrip)
{
    ScopedTelvaroHome home;
    EXPECT_EQ(Settings::MaxConnections.Get(), 5);
    EXPECT_EQ(Settings::ConnectionInterval.Get(), 2);
    EXPECT_EQ(Settings::MaxEntries.Get(), 3000);
    EXPECT_EQ(Settings::StripOutput.Get(), 1);
    EXPECT_EQ(Settings::NoBothAppend.Get(), 1);
    EXPECT_EQ(Settings::LookupTimeout.Get(), 60);
    EXPECT_TRUE(Settings::WindowPos.Get().isEmpty());

    Settings::MaxConnections.Set(100);
    EXPECT_EQ(Settings::MaxConnections.Get(), 100);
    Settings::WindowPos.Set(QStringLiteral("0,1,2,3,4,5,6,7,8,9"));
    EXPECT_EQ(Settings::WindowPos.Get(), QStringLiteral("0,1,2,3,4,5,6,7,8,9"));

    // A value that is not a number reads as the default.
    WriteProfileString("Settings", "Max Connections", QStringLiteral("lots"));
    EXPECT_EQ(Settings::MaxConnections.Get(), 5);
}

TEST(ProgramFolder, FromEnvironmentWithTrailingSlash)
{
    ScopedTelvaroHome home;
    const QString sub = home.Path() + QStringLiteral("nested/deeper");
    qputenv("TELVARO_HOME", sub.toLocal8Bit());
    EXPECT_EQ(GetProgramFolder(), sub + QLatin1Char('/'));
    EXPECT_TRUE(QDir(sub).exists());

    qunsetenv("TELVARO_HOME");
    EXPECT_TRUE(GetProgramFolder().endsWith(QStringLiteral("/Telvaro/")));
}
