#include "LoopbackWhoisServer.h"
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/TextHistory.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <map>

namespace {

struct Expected
{
    const IntSetting& m_setting;
    const char* m_pszSection;
    const char* m_pszEntry;
    int m_nDefault;
};

}

// The table of stored values as the program has always had it: a store
// that holds nothing gives every default, under its old section and name.
TEST(SettingsTableTest, AFreshStoreGivesEveryDefault)
{
    ScopedTelvaroHome home;
    const Expected ints[] = {
        {Settings::MaxConnections, "Settings", "Max Connections", 5},
        {Settings::ConnectionInterval, "Settings", "Connection Interval", 2},
        {Settings::PrintLines, "Settings", "Print Lines", 30},
        {Settings::MaxEntries, "Settings", "Max Entries", 3000},
        {Settings::StripOutput, "Settings", "Strip Output", 1},
        {Settings::MinimizeToTray, "Settings", "Minimize to Tray", 0},
        {Settings::RunAtStartup, "Settings", "Run at Win startup", 0},
        {Settings::SixteenColorToolbar, "Settings", "16 Color Toolbar", 0},
        {Settings::AutoTrademarkLookup, "Settings", "Auto Trademark Lookup", 1},
        {Settings::RangeFirst, "Settings", "R1", 1},
        {Settings::RangeLast, "Settings", "R2", 1},
        {Settings::RangeUnselect, "Settings", "UnSelect", 0},
        {Settings::UseDash, "Settings", "Use Dash", 0},
        {Settings::NoEndAppend, "Settings", "No End Append", 0},
        {Settings::NoStartAppend, "Settings", "No Start Append", 0},
        {Settings::NoBothAppend, "Settings", "No Both Append", 1},
        {Settings::WebType, "Settings", "Web Type", 0},
        {Settings::SaveRegistrarURL, "Settings", "Save Registrar URL", 1},
        {Settings::LookupTimeout, "Settings", "Lookup Timeout", 60},
        {Settings::ResolveNames, "Settings", "Resolve Names", 1},
    };
    for (const Expected& e : ints) {
        EXPECT_STREQ(e.m_setting.m_pszSection, e.m_pszSection) << e.m_pszEntry;
        EXPECT_STREQ(e.m_setting.m_pszEntry, e.m_pszEntry);
        EXPECT_EQ(e.m_setting.Get(), e.m_nDefault) << e.m_pszEntry;
    }
    const std::pair<const StringSetting&, const char*> strings[] = {
        {Settings::WindowPos, "Settings/WindowPos"},   {Settings::FindDomain, "Settings/Find Domain"},
        {Settings::SavePathHtm, "Save Path/HTM"},      {Settings::SavePathTxt, "Save Path/TXT"},
        {Settings::SavePathMdb, "Save Path/MDB"},      {Settings::ImportPathTxt, "Path/TXT"},
    };
    for (const auto& [setting, name] : strings) {
        EXPECT_EQ(QString::fromLatin1(setting.m_pszSection) + QLatin1Char('/') + QString::fromLatin1(setting.m_pszEntry),
                  QString::fromLatin1(name));
        EXPECT_TRUE(setting.Get().isEmpty()) << name;
    }
    EXPECT_STREQ(Settings::KeywordsSection, "Keywords");
    EXPECT_STREQ(Settings::FindSection, "Find");
    EXPECT_TRUE(LoadTextHistory(Settings::KeywordsSection).isEmpty());
    EXPECT_EQ(GetProfileInt(Settings::FindSection, "Count", -1), -1);

    // The ranges the Options dialog's arrows offer.
    const std::tuple<const IntSetting&, int, int> ranges[] = {
        {Settings::MaxConnections, 1, 40},
        {Settings::PrintLines, 1, 60},
        {Settings::ConnectionInterval, 2, 60},
        {Settings::MaxEntries, 1000, 64000},
    };
    for (const auto& [setting, low, high] : ranges) {
        EXPECT_EQ(setting.m_nMin, low) << setting.m_pszEntry;
        EXPECT_EQ(setting.m_nMax, high) << setting.m_pszEntry;
    }
}

// New options reach a scheduler with 40 lookups under way: none of them is
// stopped or started again, and the new limit holds from the next tick.
TEST(SettingsTableTest, NewOptionsWhile40LookupsRun)
{
    ScopedTelvaroHome home;
    CLoopbackWhoisServer server(CWhoisBehaviour::Delay(std::chrono::milliseconds(600), "No match for \"x\"."));
    g_tldTable.RemoveAll();
    g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(server.Address())));
    CDomainDoc doc;
    doc.OnNewDocument();
    constexpr int kNames = 70;
    for (int i = 0; i < kNames; ++i) {
        ASSERT_TRUE(doc.AddDomain("name" + QByteArray::number(i) + ".com"));
        doc.GetAt(i)->m_bSelected = 1;
    }
    Settings::MaxConnections.Set(40);
    CLookupOptions atStart = CLookupOptions::FromSettings(CLookupOptions::Moment::AsStored);
    atStart.m_nIntervalMs = 3600 * 1000;   // ticks by hand only
    atStart.m_nServerConnections = 0;      // one server takes all 40
    atStart.m_bControlNames = false;
    CLookupScheduler scheduler(&doc, atStart);
    ResolveWhoisServers(&scheduler);
    ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));
    auto busy = [&] { return scheduler.BusyCount(); };

    scheduler.LookupSelected();
    scheduler.OnTimer();
    ASSERT_EQ(busy(), 40);

    // The user lowers the limit while they run.
    Settings::MaxConnections.Set(8);
    CLookupOptions newOptions = CLookupOptions::FromSettings(CLookupOptions::Moment::AfterOptionsDialog);
    newOptions.m_nServerConnections = 0;
    newOptions.m_bControlNames = false;
    scheduler.SetOptions(newOptions);
    EXPECT_EQ(busy(), 40);   // nothing stopped
    scheduler.OnTimer();
    EXPECT_EQ(busy(), 40);   // nothing more started
    int most = 0;
    bool lowered = false;
    QElapsedTimer clock;
    clock.start();
    while (scheduler.IsBusy()) {
        ASSERT_LT(clock.elapsed(), 30000);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const int before = busy();
        scheduler.OnTimer();
        if (busy() > before) {   // this tick started some: never past the new limit
            lowered = true;
            most = std::max(most, busy());
        }
    }
    EXPECT_TRUE(lowered);
    EXPECT_LE(most, 8);

    // Every name asked once, none lost.
    std::map<std::string, int> asked;
    for (const std::string& request : server.Requests())
        ++asked[request];
    EXPECT_EQ(asked.size(), size_t(kNames));
    for (const auto& [request, times] : asked)
        EXPECT_EQ(times, 1) << request;
    for (int i = 0; i < kNames; ++i)
        EXPECT_EQ(doc.GetAt(i)->m_nStatus, STATUS_AVAILABLE) << i;
    g_tldTable.RemoveAll();
}
