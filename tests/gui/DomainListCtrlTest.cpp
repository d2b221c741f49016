#include "DocChangeLog.h"
#include "GuiTestMain.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "view/DomainListCtrl.h"
#include "view/DomainListModel.h"
#include "view/ListRowPainter.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

// The main list over a document: rows follow the update hints, clicks mark,
// select and sort, the painter draws stripes, selection and red free names.
class DomainListCtrlTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CDomainDoc> m_pDoc;
    std::unique_ptr<CDomainListCtrl> m_pList;
    CDomainListModel* m_pModel = nullptr;
    std::unique_ptr<CDocChangeLog> m_pChanges;

    void AddNames(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            QVERIFY(m_pDoc->AddDomain(name));
        m_pDoc->NotifyListRebuilt();
    }

    QPoint CellCentre(int row, int column) const
    {
        return m_pList->visualRect(m_pModel->index(row, column)).center();
    }

    QString Text(int row, int column) const { return m_pModel->index(row, column).data().toString(); }

    QList<QByteArray> DocNames() const
    {
        QList<QByteArray> names;
        for (int i = 0; i < m_pDoc->GetCount(); ++i)
            names << m_pDoc->GetAt(i)->m_strName;
        return names;
    }

    // Pixels of the cell that are clearly red.
    int RedPixels(const QImage& image, const QRect& cell) const
    {
        int red = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 70 && c.blue() < 70 ? 1 : 0;
            }
        }
        return red;
    }

private Q_SLOTS:
    void initTestCase() { BuildDefaultTLDTable(); }

    void init()
    {
        m_pDoc = std::make_unique<CDomainDoc>();
        m_pDoc->OnNewDocument();
        m_pList = std::make_unique<CDomainListCtrl>();
        m_pModel = new CDomainListModel(m_pDoc.get(), m_pList.get());
        m_pList->setModel(m_pModel);
        m_pList->SetDocument(m_pDoc.get());
        m_pList->resize(615, 300);
        m_pList->SetColumnWidths(615);
        m_pList->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pList.get()));
        m_pChanges = std::make_unique<CDocChangeLog>(*m_pDoc);
    }

    void cleanup()
    {
        m_pList.reset();
        m_pDoc.reset();
    }

    void rowsFollowTheDocumentsHints()
    {
        AddNames({"alpha.com", "beta.net", "gamma.org"});
        QCOMPARE(m_pModel->rowCount(), 3);
        QCOMPARE(Text(0, 0), QStringLiteral("1"));
        QCOMPARE(Text(1, 1), QStringLiteral("beta.net"));
        QCOMPARE(Text(2, 2), QStringLiteral("Unknown"));
        QCOMPARE(Text(2, 3), QStringLiteral("-"));
        QCOMPARE(m_pModel->index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
        QCOMPARE(m_pModel->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Checked At"));

        // One row removed: the rows below move up and are renumbered.
        QVERIFY(m_pDoc->RemoveAt(1));
        m_pDoc->NotifyRowRemoved(1);
        QCOMPARE(m_pModel->rowCount(), 2);
        QCOMPARE(Text(1, 0), QStringLiteral("2"));
        QCOMPARE(Text(1, 1), QStringLiteral("gamma.org"));

        // A record added without a rebuild is not shown until a hint comes,
        // and then the list catches up instead of showing stale rows.
        QVERIFY(m_pDoc->AddDomain("delta.com"));
        QCOMPARE(m_pModel->rowCount(), 2);
        m_pDoc->NotifyRowChanged(0);
        QCOMPARE(m_pModel->rowCount(), 3);
        QCOMPARE(Text(2, 1), QStringLiteral("delta.com"));

        // Hints beyond the rows and reads beyond the document are harmless.
        m_pDoc->NotifyRowChanged(98);
        m_pDoc->DeleteAllDomains();
        QVERIFY(!m_pModel->index(2, 1).data().isValid());
        m_pDoc->NotifyAllRowsChanged();
        QCOMPARE(m_pModel->rowCount(), 0);
    }

    void checkBoxClickMarksWithoutMovingTheSelection()
    {
        AddNames({"a.com", "b.com", "c.com"});
        QTest::mouseClick(m_pList->viewport(), Qt::LeftButton, {}, CellCentre(0, 1));
        QCOMPARE(m_pList->GetHighlightedItem(), 0);
        m_pDoc->SetModifiedFlag(false);
        m_pChanges->Clear();

        const QPoint box = CListRowPainter::CheckBoxRect(m_pList->visualRect(m_pModel->index(2, 0))).center();
        QVERIFY(box.x() < 30);
        QTest::mouseClick(m_pList->viewport(), Qt::LeftButton, {}, box);
        QCOMPARE(m_pDoc->GetAt(2)->m_bSelected, uint8_t(1));
        QVERIFY(m_pDoc->IsModified());
        QCOMPARE(m_pChanges->Changes(), QStringList{QStringLiteral("row 2")});   // only that row is redrawn
        QCOMPARE(m_pList->GetHighlightedItem(), 0);
        QCOMPARE(m_pList->selectionModel()->selectedRows().first().row(), 0);

        // A quick second click is a second toggle, not a lost double click:
        // the window system sends press, release, double click, release.
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, box, m_pList->viewport()->mapToGlobal(box), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_pList->viewport(), &event);
        }
        QCOMPARE(m_pDoc->GetAt(2)->m_bSelected, uint8_t(1));
        QCOMPARE(m_pList->GetHighlightedItem(), 0);

        // Past the check-box strip the click is an ordinary one.
        QTest::mouseClick(m_pList->viewport(), Qt::LeftButton, {}, QPoint(40, box.y()));
        QCOMPARE(m_pDoc->GetAt(2)->m_bSelected, uint8_t(1));
        QCOMPARE(m_pList->GetHighlightedItem(), 2);
    }

    void clicksAndKeysMoveTheHighlight()
    {
        AddNames({"a.com", "b.com", "c.com"});
        QSignalSpy showInfo(m_pList.get(), &CDomainListCtrl::ShowInfoRequested);
        QTest::mouseClick(m_pList->viewport(), Qt::LeftButton, {}, CellCentre(1, 2));
        QCOMPARE(m_pList->GetHighlightedItem(), 1);
        QVERIFY(showInfo.count() >= 1);

        m_pList->setFocus();
        QTest::keyClick(m_pList.get(), Qt::Key_Down);
        QCOMPARE(m_pList->GetHighlightedItem(), 2);
        QTest::keyClick(m_pList.get(), Qt::Key_Space);
        QCOMPARE(m_pDoc->GetAt(2)->m_bSelected, uint8_t(1));
        QCOMPARE(m_pList->GetHighlightedItem(), 2);

        m_pList->HighlightItem(0);
        QCOMPARE(m_pList->selectionModel()->selectedRows().first().row(), 0);
        m_pList->HighlightItem(7);
        QCOMPARE(m_pList->GetHighlightedItem(), -1);
        QVERIFY(m_pList->selectionModel()->selectedRows().isEmpty());

        // A rebuild leaves nothing highlighted.
        m_pList->HighlightItem(1);
        m_pDoc->NotifyListRebuilt();
        QCOMPARE(m_pList->GetHighlightedItem(), -1);
    }

    void removingTheHighlightedRowHighlightsTheOneInItsPlace()
    {
        AddNames({"a.com", "b.com", "c.com"});
        m_pList->HighlightItem(1);
        QVERIFY(m_pDoc->RemoveAt(1));
        m_pDoc->NotifyRowRemoved(1);
        QCOMPARE(m_pList->GetHighlightedItem(), 1);
        QCOMPARE(m_pList->selectionModel()->selectedRows().first().row(), 1);

        // The last row: the new last one takes over.
        QVERIFY(m_pDoc->RemoveAt(1));
        m_pDoc->NotifyRowRemoved(1);
        QCOMPARE(m_pList->GetHighlightedItem(), 0);

        // A row above the highlight: the highlight stays with its record.
        AddNames({"x.com", "y.com"});
        m_pList->HighlightItem(2);
        QVERIFY(m_pDoc->RemoveAt(0));
        m_pDoc->NotifyRowRemoved(0);
        QCOMPARE(m_pList->GetHighlightedItem(), 1);
        QCOMPARE(Text(1, 1), QStringLiteral("y.com"));

        QVERIFY(m_pDoc->RemoveAt(1));
        QVERIFY(m_pDoc->RemoveAt(0));
        m_pDoc->NotifyRowRemoved(0);
        QCOMPARE(m_pList->GetHighlightedItem(), -1);
    }

    void headerClickSortsTheDocument()
    {
        AddNames({"b.com", "a.com", "c.com"});
        m_pDoc->GetAt(2)->m_bSelected = 1;
        QHeaderView* header = m_pList->header();
        auto clickHeader = [&](int section) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 10, header->height() / 2));
        };
        clickHeader(1);
        QCOMPARE(DocNames(), (QList<QByteArray>{"a.com", "b.com", "c.com"}));
        QCOMPARE(Text(0, 1), QStringLiteral("a.com"));
        clickHeader(0);
        QCOMPARE(DocNames().first(), QByteArray("c.com"));
    }

    void columnWidthsFillTheList()
    {
        m_pList->SetColumnWidths(615);
        QCOMPARE(m_pList->columnWidth(0), 60);
        QCOMPARE(m_pList->columnWidth(1), 195);
        m_pList->SetColumnWidths(40);   // too narrow for anything but the number
        QCOMPARE(m_pList->columnWidth(3), 0);
    }

    void theNumberColumnWidensForLargeNumbersAtTheNameColumnsExpense()
    {
        // Whether a row's number shows in full, as the painter lays it out.
        auto numberFits = [this](int row) {
            const QString number = Text(row, 0);
            const QRect cell(0, 0, m_pList->columnWidth(0), 20);
            const QRect text = CListRowPainter::TextRect(cell, m_pList->font(), true, true);
            return QFontMetrics(m_pList->font()).elidedText(number, Qt::ElideRight, text.width()) == number;
        };
        auto addRows = [this](int count) {
            for (int i = m_pDoc->GetCount(); i < count; ++i)
                QVERIFY(m_pDoc->AddDomain("name" + QByteArray::number(i) + ".com"));
            m_pDoc->NotifyListRebuilt();
        };
        m_pDoc->m_nMaxEntries = CDomainDoc::kMaxFileRecords;

        addRows(CDomainDoc::kMaxFileRecords);
        QCOMPARE(Text(CDomainDoc::kMaxFileRecords - 1, 0), QStringLiteral("65535"));
        QVERIFY(numberFits(CDomainDoc::kMaxFileRecords - 1));
        QVERIFY(m_pList->columnWidth(0) > 60);
        QCOMPARE(m_pList->columnWidth(0) + m_pList->columnWidth(1), 60 + 195);

        // Four digits need more than 60; the removal of the thousandth row
        // brings the usual 60 back.
        m_pDoc->OnNewDocument();
        addRows(1000);
        QVERIFY(numberFits(999));
        QVERIFY(m_pList->columnWidth(0) > 60);
        QVERIFY(m_pDoc->RemoveAt(999));
        m_pDoc->NotifyRowRemoved(999);
        QCOMPARE(m_pModel->rowCount(), 999);
        QCOMPARE(m_pList->columnWidth(0), 60);
        QCOMPARE(m_pList->columnWidth(1), 195);
    }

    void painterDrawsStripesSelectionAndRedFreeNames()
    {
        AddNames({"free.com", "taken.com", "other.com"});
        m_pDoc->GetAt(0)->m_nStatus = STATUS_AVAILABLE;
        m_pDoc->GetAt(1)->m_nStatus = STATUS_TAKEN;
        m_pDoc->NotifyAllRowsChanged();
        m_pList->HighlightItem(2);
        const QImage image = m_pList->viewport()->grab().toImage();
        image.save(QStringLiteral("/tmp/view-list-shot.png"));

        auto pixelAt = [&](int row, int column) {
            const QRect cell = m_pList->visualRect(m_pModel->index(row, column));
            return image.pixelColor(cell.right() - 2, cell.top() + 2);
        };
        QCOMPARE(pixelAt(0, 3), QColor(240, 240, 220));
        QCOMPARE(pixelAt(1, 3), QColor(220, 240, 255));
        QCOMPARE(pixelAt(2, 3), m_pList->palette().color(QPalette::Active, QPalette::Highlight));
        // The check-box strip of the selected row is not part of the bar.
        const QRect first = m_pList->visualRect(m_pModel->index(2, 0));
        QVERIFY(image.pixelColor(first.left() + 1, first.top() + 1)
                != m_pList->palette().color(QPalette::Active, QPalette::Highlight));

        // Only the whole text "*AVAILABLE*" is red; "Not Available" is not.
        QVERIFY(RedPixels(image, m_pList->visualRect(m_pModel->index(0, 2))) > 5);
        QCOMPARE(RedPixels(image, m_pList->visualRect(m_pModel->index(1, 2))), 0);
        // Also on the highlighted row.
        m_pDoc->GetAt(2)->m_nStatus = STATUS_AVAILABLE;
        m_pDoc->NotifyRowChanged(2);
        const QImage again = m_pList->viewport()->grab().toImage();
        QVERIFY(RedPixels(again, m_pList->visualRect(m_pModel->index(2, 2))) > 5);

        // Rows grow with a larger font.
        const int before = m_pList->visualRect(m_pModel->index(0, 1)).height();
        QFont big = m_pList->font();
        big.setPixelSize(28);
        m_pList->setFont(big);
        QTRY_VERIFY(m_pList->visualRect(m_pModel->index(0, 1)).height() > before);
    }

    void contextMenuOffersRegisteredCommandsOnly()
    {
        AddNames({"a.com"});
        QWidget window;
        CCommandRegistry registry(&window);
        m_pList->SetCommandRegistry(&registry);
        int checks = 0;
        registry.Register(ID_CHECK_AVAILABILITY, [&] { ++checks; });
        registry.Register(ID_DELETE_ENTRY, [] {}, [] { return false; });

        std::unique_ptr<QMenu> menu = m_pList->BuildContextMenu();
        QStringList texts;
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator())
                texts << a->text();
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("&Delete Entry"), QStringLiteral("&Check Availability")}));
        QVERIFY(!menu->actions().first()->isEnabled());

        registry.Register(ID_COPY_DOMAIN_NAME, [] {});
        menu = m_pList->BuildContextMenu();
        QAction* copy = menu->actions().at(1);
        QCOMPARE(copy->text(), QStringLiteral("&Copy"));
        QVERIFY(copy->menu());
        QCOMPARE(copy->menu()->actions().size(), 1);

        // Opening it from the keyboard; the chosen item runs the command.
        connect(m_pList.get(), &CDomainListCtrl::ContextMenuShown, this, [](QMenu* shown) {
            QTimer::singleShot(0, shown, [shown] {
                for (QAction* a : shown->actions()) {
                    if (a->text() == QStringLiteral("&Check Availability")) {
                        a->trigger();
                        shown->close();
                    }
                }
            });
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10), m_pList->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(m_pList->viewport(), &event);
        QCOMPARE(checks, 1);
    }
};

TELVARO_GUI_TEST_MAIN(DomainListCtrlTest)
#include "DomainListCtrlTest.moc"
