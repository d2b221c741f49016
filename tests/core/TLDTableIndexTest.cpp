#include "model/TLDTable.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What FindRow must answer: the first row in table order with that text,
// letter case ignored.
const CTLDInfo* FirstRowScanned(QByteArrayView tld)
{
    for (const auto& row : g_tldTable.m_rows) {
        if (EqualsNoCase(row->m_strTLD, tld))
            return row.get();
    }
    return nullptr;
}

class TLDTableIndexTest : public ::testing::Test
{
protected:
    void SetUp() override { g_tldTable.RemoveAll(); }
    void TearDown() override { g_tldTable.RemoveAll(); }
};

}

TEST_F(TLDTableIndexTest, EqualTextsOfAnotherCaseGoToTheFirstRowUntilItGoes)
{
    g_tldTable.Add(std::make_shared<CTLDInfo>("io", "first.example"));
    g_tldTable.Add(std::make_shared<CTLDInfo>("COM", "c.example"));
    g_tldTable.Add(std::make_shared<CTLDInfo>("IO", "second.example"));
    EXPECT_EQ(GetWhoisServer("x.Io"), "first.example");

    // Deleting the first hands the TLD to the next one of that text.
    g_tldTable.RemoveAt(0);
    EXPECT_EQ(GetWhoisServer("x.io"), "second.example");
    g_tldTable.RemoveAt(1);
    EXPECT_EQ(FindTLD("x.io"), nullptr);
    EXPECT_FALSE(IsValidDomainName("x.io"));

    // Renaming a row moves it in the index; a later duplicate does not win.
    g_tldTable.Add(std::make_shared<CTLDInfo>("NET", "n.example"));
    g_tldTable.SetTLDText(0, "ORG");
    EXPECT_EQ(FindTLD("x.com"), nullptr);
    EXPECT_EQ(GetWhoisServer("x.org"), "c.example");
    g_tldTable.SetTLDText(1, "org");
    EXPECT_EQ(GetWhoisServer("x.org"), "c.example");
    EXPECT_EQ(FindTLD("x.net"), nullptr);

    // Sorting decides anew which duplicate comes first.
    g_tldTable.GetAt(0)->m_strServer = "z.example";
    SortTLDTable(1);
    EXPECT_EQ(GetWhoisServer("x.org"), "n.example");
}

TEST_F(TLDTableIndexTest, AddOrUpdateKeepsTheStoredTextAndAddsUnticked)
{
    g_tldTable.Add(std::make_shared<CTLDInfo>("Co.Uk", "old.example", 1));
    bool added = true;
    CTLDInfo* row = g_tldTable.AddOrUpdate("CO.UK", "new.example", &added);
    EXPECT_FALSE(added);
    EXPECT_EQ(row, g_tldTable.GetAt(0));
    EXPECT_EQ(row->m_strTLD, "Co.Uk");
    EXPECT_EQ(row->m_strServer, "new.example");
    EXPECT_EQ(row->m_bSelected, 1);

    row = g_tldTable.AddOrUpdate("IO", "whois.nic.io", &added);
    EXPECT_TRUE(added);
    EXPECT_EQ(g_tldTable.GetSize(), 2);
    EXPECT_EQ(row->m_bSelected, 0);
    EXPECT_TRUE(row->m_strRegistrar.isEmpty());
    EXPECT_EQ(FindTLD("shop.io"), row);
}

// Every change the table offers, at random, with the index checked against a
// scan of the rows after each one.
TEST_F(TLDTableIndexTest, IndexStaysInStepWithEveryChange)
{
    const QByteArrayList texts = {"com", "COM", "io", "Io", "co.uk", "CO.UK", "de", "net", "xxx", ""};
    std::mt19937 random(7);
    auto pick = [&](size_t n) { return size_t(random() % n); };
    for (int step = 0; step < 3000; ++step) {
        const qsizetype size = g_tldTable.GetSize();
        switch (pick(6)) {
        case 0:
        case 1:
            g_tldTable.Add(std::make_shared<CTLDInfo>(texts[qsizetype(pick(size_t(texts.size())))],
                                                     "s" + QByteArray::number(step)));
            break;
        case 2:
            if (size > 0)
                g_tldTable.RemoveAt(qsizetype(pick(size_t(size))));
            break;
        case 3:
            if (size > 0)
                g_tldTable.SetTLDText(qsizetype(pick(size_t(size))), texts[qsizetype(pick(size_t(texts.size())))]);
            break;
        case 4:
            SortTLDTable(int(pick(2)));
            break;
        default:
            g_tldTable.AddOrUpdate(texts[qsizetype(pick(size_t(texts.size() - 1)))], "u" + QByteArray::number(step));
            break;
        }
        if (size > 40)
            g_tldTable.RemoveAll();
        for (const QByteArray& text : texts)
            ASSERT_EQ(g_tldTable.FindRow(text), FirstRowScanned(text)) << "step " << step << " text " << text.constData();
    }
}
