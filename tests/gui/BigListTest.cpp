#include "GuiTestMain.h"
#include "model/Archive.h"
#include "model/DomainPadList.h"
#include "model/TLDTable.h"
#include "view/BigList.h"
#include "view/TLDListCtrl.h"
#include "view/TLDListModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QSignalSpy>

// The Domain Pad's name list and the TLD setup dialog's list.
class BigListTest : public QObject
{
    Q_OBJECT

    static QString Text(const QAbstractItemView& view, int row, int column)
    {
        return view.model()->index(row, column).data().toString();
    }

private Q_SLOTS:
    void insertNameRefusesDuplicatesWhateverTheirCase()
    {
        CDomainPadList names;
        CBigList list(&names);
        QVERIFY(names.InsertName("Example.com"));
        QVERIFY(names.InsertName("other.net"));
        QVERIFY(!names.InsertName("EXAMPLE.COM"));
        QCOMPARE(names.GetNames(), (QList<QByteArray>{"Example.com", "other.net"}));
        // Rows appear when the owner sets the count.
        QCOMPARE(list.GetItemCount(), 0);
        names.SetItemCount(int(names.GetNames().size()));
        QCOMPARE(list.GetItemCount(), 2);
        QCOMPARE(Text(list, 1, 0), QStringLiteral("2"));
        QCOMPARE(Text(list, 1, 1), QStringLiteral("other.net"));
        // A row past the names shows its number and no name.
        names.SetItemCount(3);
        QCOMPARE(Text(list, 2, 0), QStringLiteral("3"));
        QCOMPARE(Text(list, 2, 1), QString());

        // Replacing the names keeps duplicates out and frees removed ones.
        names.SetNames({"b.com", "a.com", "B.COM"});
        QCOMPARE(names.GetNames(), (QList<QByteArray>{"b.com", "a.com"}));
        QVERIFY(names.InsertName("other.net"));

        // A window made later shows the rows already set.
        CBigList second(&names);
        QCOMPARE(second.GetItemCount(), 3);
    }

    void serializeWritesCountAndStringsAndReadsThemBack()
    {
        CDomainPadList list;
        list.InsertName("a.com");
        list.InsertName("B.net");
        QByteArray bytes;
        CArchive out(&bytes);
        list.Serialize(out);
        QCOMPARE(bytes, QByteArray("\x02\x00\x05" "a.com" "\x05" "B.net", 14));

        CDomainPadList loaded;
        CBigList window(&loaded);
        CArchive in{QByteArrayView(bytes)};
        loaded.Serialize(in);
        QCOMPARE(loaded.GetNames(), list.GetNames());
        QCOMPARE(window.GetItemCount(), 2);
        QVERIFY(!loaded.InsertName("A.COM"));

        const QByteArray empty("\x00\x00", 2);
        CArchive none{QByteArrayView(empty)};
        loaded.Serialize(none);
        QVERIFY(loaded.GetNames().isEmpty());
        QCOMPARE(window.GetItemCount(), 0);
    }

    void damagedArchiveKeepsTheNamesBeforeTheDamage()
    {
        const QByteArray bytes("\x03\x00\x05" "a.com" "\x09" "b", 10);
        CDomainPadList names;
        CBigList list(&names);
        CArchive in{QByteArrayView(bytes)};
        QVERIFY_THROWS_EXCEPTION(CArchiveException, names.Serialize(in));
        QCOMPARE(names.GetNames(), QList<QByteArray>{"a.com"});
        QCOMPARE(list.GetItemCount(), 1);
    }

    void listStopsAtWhatItsFileCanCount()
    {
        CDomainPadList list;
        for (int i = 0; i < CDomainPadList::kMaxNames; ++i)
            QVERIFY(list.InsertName("n" + QByteArray::number(i) + ".com"));
        QVERIFY(!list.InsertName("one-more.com"));
        QByteArray bytes;
        CArchive out(&bytes);
        list.Serialize(out);
        CDomainPadList loaded;
        CArchive in{QByteArrayView(bytes)};
        loaded.Serialize(in);
        QCOMPARE(loaded.GetNames().size(), qsizetype(CDomainPadList::kMaxNames));
    }

    void tldListSortsFromItsHeadersAndReportsSelection()
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("INFO", "b.example"));
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", "c.example"));
        g_tldTable.Add(std::make_unique<CTLDInfo>("NET", "a.example"));
        CTLDListCtrl list;
        CTLDListModel model;
        list.setModel(&model);
        list.resize(400, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(Text(list, 0, 1), QStringLiteral("INFO"));
        QCOMPARE(Text(list, 2, 2), QStringLiteral("a.example"));

        QSignalSpy reopen(&list, &CTLDListCtrl::TLDReopen);
        QSignalSpy selChange(&list, &CTLDListCtrl::TLDSelChange);
        QHeaderView* header = list.header();
        auto clickHeader = [&](int section) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        };
        clickHeader(0);
        QCOMPARE(reopen.count(), 0);
        QCOMPARE(g_tldTable.GetAt(0)->m_strTLD, QByteArray("INFO"));
        clickHeader(1);
        QCOMPARE(reopen.count(), 1);
        QCOMPARE(g_tldTable.GetAt(0)->m_strTLD, QByteArray("COM"));
        clickHeader(2);
        QCOMPARE(g_tldTable.GetAt(0)->m_strServer, QByteArray("a.example"));
        model.Reload();
        QCOMPARE(Text(list, 0, 1), QStringLiteral("NET"));

        // A click only selects; the dialog hears of it.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(model.index(1, 1)).center());
        QCOMPARE(selChange.count(), 1);
        QCOMPARE(list.GetHighlightedItem(), 1);
        // The right button opens nothing.
        QSignalSpy menus(&list, &CDomainListCtrl::ContextMenuShown);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), list.mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(list.viewport(), &event);
        QCOMPARE(menus.count(), 0);
        g_tldTable.RemoveAll();
    }
};

TELVARO_GUI_TEST_MAIN(BigListTest)
#include "BigListTest.moc"
