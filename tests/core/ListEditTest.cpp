#include "DocChangeLog.h"
#include "model/DomainDelete.h"
#include "model/DomainDoc.h"
#include "model/DomainFind.h"
#include "model/DomainMarks.h"
#include "model/TLDTable.h"

#include <gtest/gtest.h>

#include <memory>

// Deleting, marking and finding records: the document work of the list
// editing commands, shared by the desktop program and telvaro-cli.
namespace {

// A lookup that never ends by itself: its record stays busy.
class CStuckLookup : public CLookupHandle
{
public:
    void Cancel() override { m_bCancelled = true; }
    void Detach() override {}
    bool WaitUntilFinished(std::chrono::steady_clock::time_point) const override { return true; }
    bool m_bCancelled = false;
};

class ListEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildDefaultTLDTable();
        m_doc.OnNewDocument();
    }

    // Names with their status and mark: "name:status:mark".
    void Fill(std::initializer_list<std::tuple<const char*, int, int>> rows)
    {
        for (const auto& [name, status, mark] : rows) {
            ASSERT_TRUE(m_doc.AddDomain(name)) << name;
            CDomainInfo& r = *m_doc.GetAt(m_doc.GetCount() - 1);
            r.m_nStatus = uint8_t(status);
            r.m_bSelected = uint8_t(mark);
        }
        m_doc.SetModifiedFlag(false);
        m_changes.Clear();
    }

    void MakeBusy(int row) { m_doc.GetAt(row)->m_pConn = std::make_shared<CStuckLookup>(); }

    QByteArrayList Names() const
    {
        QByteArrayList names;
        for (const auto& r : m_doc.Records())
            names << r->m_strName;
        return names;
    }

    QString Marks() const
    {
        QString marks;
        for (const auto& r : m_doc.Records())
            marks += r->m_bSelected ? QLatin1Char('x') : QLatin1Char('.');
        return marks;
    }

    CDomainDoc m_doc;
    CDocChangeLog m_changes{m_doc};
};

}

TEST_F(ListEditTest, EachDeleteTakesItsKindAndLeavesBusyRecords)
{
    struct Case
    {
        DeleteKind m_kind;
        QByteArrayList m_left;
    };
    for (const Case& c : {Case{DeleteKind::Selected, {"b.com", "d.com", "e.com"}},
                          Case{DeleteKind::All, {"e.com"}},
                          Case{DeleteKind::Taken, {"a.com", "c.com", "d.com", "e.com"}},
                          Case{DeleteKind::Available, {"a.com", "b.com", "d.com", "e.com"}}}) {
        SetUp();
        Fill({{"a.com", STATUS_UNKNOWN, 1},
              {"b.com", STATUS_TAKEN, 0},
              {"c.com", STATUS_AVAILABLE, 1},
              {"d.com", STATUS_ERROR_FIRST, 0},
              {"e.com", STATUS_CHECKING, 1}});
        MakeBusy(4);
        EXPECT_EQ(DeleteDomains(m_doc, c.m_kind), 5 - int(c.m_left.size()));
        EXPECT_EQ(Names(), c.m_left);
        EXPECT_TRUE(m_doc.IsModified());
        EXPECT_EQ(m_changes.Changes(), QStringList{QStringLiteral("rebuilt")});
        // The busy record is still the same record, now at its new row.
        EXPECT_TRUE(m_doc.GetAt(m_doc.GetCount() - 1)->IsBusy());
        EXPECT_EQ(m_doc.IndexOf(m_doc.GetAt(m_doc.GetCount() - 1)), m_doc.GetCount() - 1);
        // Names deleted are gone from the index too.
        EXPECT_EQ(m_doc.FindDomain("a.com") != nullptr, c.m_left.contains("a.com"));
        m_doc.GetAt(m_doc.GetCount() - 1)->m_pConn.reset();
    }
}

TEST_F(ListEditTest, DeleteAllWithOneBusyRecordKeepsItAsRowOne)
{
    Fill({{"a.com", 0, 0}, {"b.com", 0, 0}, {"c.com", 1, 0}, {"d.com", 0, 0}});
    MakeBusy(2);
    EXPECT_EQ(DeleteDomains(m_doc, DeleteKind::All), 3);
    EXPECT_EQ(Names(), QByteArrayList{"c.com"});
    EXPECT_EQ(m_doc.IndexOf(m_doc.GetAt(0)), 0);
    m_doc.GetAt(0)->m_pConn.reset();
}

TEST_F(ListEditTest, DeleteWithNothingToDeleteChangesNothing)
{
    Fill({{"a.com", STATUS_AVAILABLE, 0}, {"b.com", STATUS_UNKNOWN, 0}});
    EXPECT_EQ(DeleteDomains(m_doc, DeleteKind::Taken), 0);
    EXPECT_EQ(DeleteDomains(m_doc, DeleteKind::Selected), 0);
    EXPECT_EQ(Names(), (QByteArrayList{"a.com", "b.com"}));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_changes.IsEmpty());
}

TEST_F(ListEditTest, MarksChangeEveryRowAndTellOnce)
{
    Fill({{"a.com", 0, 1}, {"b.com", STATUS_AVAILABLE, 0}, {"c.com", 0, 1}, {"d.com", STATUS_AVAILABLE, 1}});
    EXPECT_TRUE(AnyMarked(m_doc));
    EXPECT_TRUE(AnyUnmarked(m_doc));
    EXPECT_TRUE(AnyAvailable(m_doc));

    InvertSelection(m_doc);
    EXPECT_EQ(Marks(), QStringLiteral(".x.."));
    InvertSelection(m_doc);
    EXPECT_EQ(Marks(), QStringLiteral("x.xx"));
    // Back where it was, and modified all the same.
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_changes.Changes(), (QStringList{QStringLiteral("all"), QStringLiteral("all")}));

    SelectAll(m_doc);
    EXPECT_EQ(Marks(), QStringLiteral("xxxx"));
    EXPECT_FALSE(AnyUnmarked(m_doc));
    UnselectAll(m_doc);
    EXPECT_EQ(Marks(), QStringLiteral("...."));
    EXPECT_FALSE(AnyMarked(m_doc));

    // Select Free adds the free ones and leaves the others' marks.
    m_doc.GetAt(0)->m_bSelected = 1;
    EXPECT_EQ(SelectFree(m_doc), 2);
    EXPECT_EQ(Marks(), QStringLiteral("xx.x"));
}

TEST_F(ListEditTest, SelectFreeWithoutFreeNamesLeavesTheListUnmodified)
{
    Fill({{"a.com", STATUS_TAKEN, 0}, {"b.com", STATUS_UNKNOWN, 1}});
    EXPECT_FALSE(AnyAvailable(m_doc));
    EXPECT_EQ(SelectFree(m_doc), 0);
    EXPECT_EQ(Marks(), QStringLiteral(".x"));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_changes.IsEmpty());
}

TEST_F(ListEditTest, RangeMarksRowsByNumberInEitherOrder)
{
    Fill({{"a.com", 0, 1}, {"b.com", 0, 0}, {"c.com", 0, 0}, {"d.com", 0, 0}, {"e.com", 0, 0}, {"f.com", 0, 1}});
    // 5 to 3 marks rows 3 to 5; the others keep their marks.
    SelectRange(m_doc, {5, 3}, false);
    EXPECT_EQ(Marks(), QStringLiteral("x.xxxx"));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_changes.Changes(), QStringList{QStringLiteral("all")});

    SelectRange(m_doc, {2, 3}, true);
    EXPECT_EQ(Marks(), QStringLiteral(".xx..."));
    // Ends beyond the list, and negative numbers taken as 0.
    SelectRange(m_doc, {5, 9999}, true);
    EXPECT_EQ(Marks(), QStringLiteral("....xx"));
    SelectRange(m_doc, {-4, 1}, true);
    EXPECT_EQ(Marks(), QStringLiteral("x....."));
    SelectRange(m_doc, {0, 0}, true);
    EXPECT_EQ(Marks(), QStringLiteral("......"));

    const CRowRange r = CRowRange{7, -2}.Normalized();
    EXPECT_EQ(r.m_nFrom, 0);
    EXPECT_EQ(r.m_nTo, 7);
}

TEST_F(ListEditTest, FindPrefersTheWholeNameToAnEarlierPrefix)
{
    Fill({{"kettleshop.com", 0, 0}, {"Kettle.com", 0, 0}, {"kettle.com.au", 0, 0}, {"teapot.net", 0, 0}});
    // A whole name wins over an earlier row that begins with the text.
    EXPECT_EQ(FindEntry(m_doc, "KETTLE.COM"), 1);
    // Only prefixes: the first of them.
    EXPECT_EQ(FindEntry(m_doc, "kettle"), 0);
    EXPECT_EQ(FindEntry(m_doc, "kettle.com."), 2);
    EXPECT_EQ(FindEntry(m_doc, "TEA"), 3);
    EXPECT_EQ(FindEntry(m_doc, "teapot.network"), -1);
    EXPECT_EQ(FindEntry(m_doc, "nothing"), -1);
    // The empty text begins every name.
    EXPECT_EQ(FindEntry(m_doc, ""), 0);
    CDomainDoc empty;
    EXPECT_EQ(FindEntry(empty, ""), -1);
}
