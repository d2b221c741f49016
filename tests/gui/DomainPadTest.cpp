#include "EditingSupport.h"
#include "GuiTestMain.h"
#include "TestSupport.h"

#include "base/ProgramFolder.h"
#include "base/UserMessage.h"
#include "commands/CommandProxy.h"
#include "model/DomainPadFile.h"
#include "model/DomainPadList.h"
#include "model/TLDTable.h"
#include "shell/DomainPadBar.h"
#include "view/BigList.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"

#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <memory>

// The Domain Pad: its bar in the main window, the copies into it, its own
// commands and its file.
class DomainPadTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CEditingFrame> m_pEdit;
    QStringList m_messages;

    CEditingFrame& E() { return *m_pEdit; }
    CDomainPadBar* Bar() { return E().Frame().GetDomainPad(); }
    CDomainPadList* Pad() { return E().Frame().GetDomainPadList(); }
    CBigList* PadList() { return Bar()->GetList(); }

    void NewFrame()
    {
        m_pEdit = std::make_unique<CEditingFrame>();
        QVERIFY(QTest::qWaitForWindowExposed(&E().Frame()));
    }

    static QByteArray PadFile()
    {
        QFile f(GetDomainPadPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    QStringList Rows()
    {
        QStringList rows;
        for (int i = 0; i < PadList()->model()->rowCount(); ++i)
            rows << PadList()->model()->index(i, 0).data().toString() + QLatin1Char(' ') +
                        PadList()->model()->index(i, 1).data().toString();
        return rows;
    }

    void SelectPadRows(std::initializer_list<int> rows)
    {
        PadList()->clearSelection();
        for (int row : rows)
            PadList()->selectionModel()->select(PadList()->model()->index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The texts of the menu the pad opens on trigger(), which is closed again.
    QStringList MenuTexts(const std::function<void()>& trigger)
    {
        QStringList texts;
        auto connection = connect(Bar(), &CDomainPadBar::MenuShown, this, [&texts](QMenu* menu) {
            for (QAction* a : menu->actions())
                texts << (a->isEnabled() ? a->text() : QStringLiteral("(%1)").arg(a->text()));
            QTimer::singleShot(0, menu, [menu] {
                SaveShot(menu, "pad-menu");
                menu->close();
            });
        });
        trigger();
        disconnect(connection);
        return texts;
    }

    QAction* ViewMenuItem(CommandId id)
    {
        for (QAction* top : E().Frame().menuBar()->actions()) {
            if (top->text() != QStringLiteral("&View"))
                continue;
            for (QAction* item : top->menu()->actions()) {
                if (auto* proxy = qobject_cast<CCommandProxy*>(item); proxy && proxy->Id() == id)
                    return proxy;
            }
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase() { SetUserMessageHandler([this](const QString& text) { m_messages << text; }); }

    void init()
    {
        QSettings().clear();
        BuildDefaultTLDTable();
        QFile::remove(GetDomainPadPath());
        QFile::remove(GetDomainPadPath() + QStringLiteral(".damaged"));
        m_messages.clear();
        NewFrame();
    }

    void cleanup() { m_pEdit.reset(); }

    void padDocksBesideTheListAndShowsAndHides()
    {
        QVERIFY(Bar()->isVisible());
        QCOMPARE(E().Frame().dockWidgetArea(Bar()), Qt::RightDockWidgetArea);
        QCOMPARE(Bar()->windowTitle(), QStringLiteral("Domain Pad"));
        QCOMPARE(Bar()->GetButton()->text(), QStringLiteral("Domain Pad"));
        QVERIFY(PadList()->isHeaderHidden());

        QAction* item = ViewMenuItem(ID_TOGGLE_DOMAIN_PAD);
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&Domain Pad"));
        QVERIFY(item->isCheckable());
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(Bar()->isHidden());
        E().Registry().UpdateCommandUI();
        QVERIFY(!item->isChecked());
        item->trigger();
        QVERIFY(Bar()->isVisible());
        // Its own close button hides it too, and the menu follows.
        Bar()->close();
        E().Registry().UpdateCommandUI();
        QVERIFY(!item->isChecked());
    }

    void copiesFillThePadOnceWhateverTheCase()
    {
        E().Fill({"alpha.com", "Beta.com", "gamma.com", "delta.com"}, "0303", "xx..");
        QVERIFY(Pad()->InsertName("BETA.COM"));
        Pad()->UpdateItemCount();
        QVERIFY(!E().Enabled(ID_COPY_TO_PAD));
        E().Frame().GetView()->GetListCtrl()->HighlightItem(2);
        QVERIFY(E().Registry().Execute(ID_COPY_TO_PAD));
        QCOMPARE(Rows(), (QStringList{QStringLiteral("1 BETA.COM"), QStringLiteral("2 gamma.com")}));
        QVERIFY(E().Registry().Execute(ID_PAD_SELECTED));
        QVERIFY(E().Registry().Execute(ID_PAD_AVAILABLE));
        QCOMPARE(Rows(), (QStringList{QStringLiteral("1 BETA.COM"), QStringLiteral("2 gamma.com"),
                                      QStringLiteral("3 alpha.com"), QStringLiteral("4 delta.com")}));
        // Copying again adds nothing.
        QVERIFY(E().Registry().Execute(ID_PAD_SELECTED));
        QCOMPARE(Pad()->GetSize(), 4);

        E().Registry().Execute(ID_UNSELECT_ALL);
        QVERIFY(!E().Enabled(ID_PAD_SELECTED));
        E().Doc().GetAt(1)->m_nStatus = STATUS_TAKEN;
        E().Doc().GetAt(3)->m_nStatus = STATUS_TAKEN;
        QVERIFY(!E().Enabled(ID_PAD_AVAILABLE));
        SaveShot(&E().Frame(), "main-window-with-pad");
    }

    void buttonAndRightClickOpenThePadsMenu()
    {
        const QStringList none{QStringLiteral("(&Delete Selected)"), QStringLiteral("&Sort Names"),
                               QStringLiteral("(&Copy Selected to Main)"), QStringLiteral("(Copy Selected to Clip&board)")};
        for (const char* name : {"b.com", "a.com"})
            Pad()->InsertName(name);
        Pad()->UpdateItemCount();
        QCOMPARE(MenuTexts([&] { QTest::mouseClick(Bar()->GetButton(), Qt::LeftButton); }), none);

        // The right button selects the row under it first.
        const QRect row = PadList()->visualRect(PadList()->model()->index(1, 1));
        QStringList texts = MenuTexts([&] {
            QTest::mousePress(PadList()->viewport(), Qt::RightButton, {}, row.center());
            QContextMenuEvent event(QContextMenuEvent::Mouse, row.center(), PadList()->viewport()->mapToGlobal(row.center()));
            QApplication::sendEvent(PadList()->viewport(), &event);
            QTest::mouseRelease(PadList()->viewport(), Qt::RightButton, {}, row.center());
        });
        QCOMPARE(texts, (QStringList{QStringLiteral("&Delete Selected"), QStringLiteral("&Sort Names"),
                                     QStringLiteral("&Copy Selected to Main"), QStringLiteral("Copy Selected to Clip&board")}));
        QCOMPARE(PadList()->GetSelectedRows(), std::vector<int>{1});
    }

    void padCommandsDeleteSortAndCopy()
    {
        for (const char* name : {"kettle", "Teapot.net", "cup.com", "apple.COM", "bad name!"})
            Pad()->InsertName(name);
        Pad()->UpdateItemCount();
        E().Fill({"cup.com"});
        QVERIFY(E().Registry().Execute(ID_PAD_SORT));
        QCOMPARE(Pad()->GetNames(), (QByteArrayList{"apple.COM", "bad name!", "cup.com", "kettle", "Teapot.net"}));
        QCOMPARE(Rows().first(), QStringLiteral("1 apple.COM"));

        // Copy to the main list as Add Names takes typed text: a bare name
        // takes the ticked TLDs (COM), a name listed already and an invalid
        // one are left out.
        SelectPadRows({1, 2, 3, 4});
        QVERIFY(E().Enabled(ID_PAD_COPY_TO_MAIN));
        QVERIFY(E().Registry().Execute(ID_PAD_COPY_TO_MAIN));
        QCOMPARE(E().Names(), (QByteArrayList{"cup.com", "bad.COM", "kettle.COM", "Teapot.net"}));
        QCOMPARE(E().Frame().GetView()->GetListCtrl()->GetItemCount(), 4);
        QVERIFY(E().Doc().IsModified());

        SelectPadRows({4, 0});
        QGuiApplication::clipboard()->clear();
        QVERIFY(E().Registry().Execute(ID_PAD_COPY_TO_CLIPBOARD));
        QCOMPARE(QGuiApplication::clipboard()->text().toLatin1(), QByteArray("apple.COM\r\nTeapot.net\r\n"));

        QVERIFY(E().Registry().Execute(ID_PAD_DELETE_SELECTED));
        QCOMPARE(Pad()->GetNames(), (QByteArrayList{"bad name!", "cup.com", "kettle"}));
        QCOMPARE(Rows(), (QStringList{QStringLiteral("1 bad name!"), QStringLiteral("2 cup.com"), QStringLiteral("3 kettle")}));
        QVERIFY(!E().Enabled(ID_PAD_DELETE_SELECTED));
        QVERIFY(!E().Enabled(ID_PAD_COPY_TO_CLIPBOARD));
    }

    void resizingKeepsTheButtonAndTheNumberColumn()
    {
        Pad()->InsertName("kettle.com");
        Pad()->UpdateItemCount();
        for (int width : {180, 320}) {
            E().Frame().resizeDocks({Bar()}, {width}, Qt::Horizontal);
            QCoreApplication::processEvents();
            const QRect button = Bar()->GetButton()->geometry();
            QCOMPARE(button.height(), CDomainPadBar::kButtonHeight);
            QCOMPARE(button.top(), CDomainPadBar::kButtonInset);
            QCOMPARE(button.left(), CDomainPadBar::kButtonInset);
            QCOMPARE(button.right(), Bar()->widget()->width() - 1 - CDomainPadBar::kButtonInset);
            QCOMPARE(PadList()->geometry().top(), CDomainPadBar::kListTop);
            QCOMPARE(PadList()->geometry().width(), Bar()->widget()->width());
            QCOMPARE(PadList()->columnWidth(0), CDomainPadBar::kNumberWidth);
            QCOMPARE(PadList()->columnWidth(0) + PadList()->columnWidth(1), PadList()->viewport()->width());
        }
        QCOMPARE(PadList()->font().bold(), true);
    }

    void padIsWrittenAtTheEndAndReadAtTheStart()
    {
        // An empty pad is two zero bytes.
        m_pEdit.reset();
        QCOMPARE(PadFile(), Bytes({0, 0}));

        NewFrame();
        const QByteArray long300 = QByteArray(296, 'a') + ".com";
        Pad()->InsertName("first.com");
        Pad()->InsertName(long300);
        m_pEdit.reset();
        NewFrame();
        QCOMPARE(Pad()->GetNames(), (QByteArrayList{"first.com", long300}));
        QCOMPARE(PadList()->GetItemCount(), 2);
        QVERIFY(m_messages.isEmpty());
    }

    void damagedPadIsReportedOnceAndKeptAside()
    {
        m_pEdit.reset();
        const QByteArray damaged("\x02\x00\x05" "a.com" "\x20" "cut", 11);
        QFile file(GetDomainPadPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(damaged);
        file.close();

        NewFrame();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().contains(QStringLiteral("dpad.dp")));
        QCOMPARE(Pad()->GetNames(), QByteArrayList{"a.com"});
        m_pEdit.reset();
        QCOMPARE(PadFile(), QByteArray("\x01\x00\x05" "a.com", 8));
        QFile aside(GetDomainPadPath() + QStringLiteral(".damaged"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), damaged);
        QCOMPARE(m_messages.size(), 1);
    }

    void placeAndSizeAreKeptWithTheWindowLayout()
    {
        E().Frame().addDockWidget(Qt::LeftDockWidgetArea, Bar());
        E().Frame().resizeDocks({Bar()}, {260}, Qt::Horizontal);
        QCoreApplication::processEvents();
        const int width = Bar()->width();
        QVERIFY(E().Frame().close());
        m_pEdit.reset();

        NewFrame();
        QCOMPARE(E().Frame().dockWidgetArea(Bar()), Qt::LeftDockWidgetArea);
        QTRY_COMPARE(Bar()->width(), width);

        // Hidden at the end, hidden at the next start.
        Bar()->hide();
        QVERIFY(E().Frame().close());
        m_pEdit.reset();
        NewFrame();
        QVERIFY(Bar()->isHidden());
        E().Registry().UpdateCommandUI();
        QVERIFY(!E().Registry().Find(ID_TOGGLE_DOMAIN_PAD)->isChecked());
    }
};

TELVARO_GUI_TEST_MAIN(DomainPadTest)
#include "DomainPadTest.moc"
