#include "FrameTestSupport.h"
#include "FrameUnderTest.h"
#include "GuiTestMain.h"
#include "LoopbackWhoisServer.h"

#include "base/Settings.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "shell/SystemTray.h"
#include "shell/TrayCommands.h"

#include <QMenu>
#include <QSettings>
#include <QSystemTrayIcon>

#include <memory>

// The tray commands where the desktop has no notification area (the
// offscreen platform has none), and the icon's own logic: its menu, a
// double-click and the busy pictures. tests/tray/ runs them against a real
// notification area.
class TrayCommandsTest : public QObject
{
    Q_OBJECT

private:
    CFrameUnderTest m_run;
    CMainFrame* m_pFrame = nullptr;

    void MakeFrame()
    {
        m_run.Start();
        m_pFrame = m_run.m_pFrame.get();
    }
    CCommandRegistry& Registry() const { return *m_pFrame->Registry(); }
    CSystemTray* Tray() const { return m_pFrame->TrayCommands()->Tray(); }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        (void)LoadTLDTable();
    }

    void cleanup() { m_run.Stop(); }

    void withoutATrayTheWindowStaysAndTheCommandIsOff()
    {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        Settings::MinimizeToTray.Set(1);
        MakeFrame();
        QTest::qWait(50);   // the posted "Minimize to tray" has run
        QVERIFY(m_pFrame->isVisible());
        QVERIFY(!m_pFrame->TrayCommands()->IsInTray());
        QVERIFY(!Registry().Find(ID_MINIMIZE_TO_TRAY)->isEnabled());
        QVERIFY(!Registry().Execute(ID_MINIMIZE_TO_TRAY));
        QVERIFY(m_pFrame->isVisible());
        QVERIFY(!Tray()->ShowIcon());
        QVERIFY(!Tray()->IsIconShown());
    }

    void theMenuOffersShowFirstAndADoubleClickChoosesIt()
    {
        MakeFrame();
        QMenu* menu = m_pFrame->TrayCommands()->Menu();
        QStringList items;
        for (QAction* a : menu->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{QStringLiteral("Show..."), QStringLiteral("&Options...")}));
        QCOMPARE(menu->defaultAction(), menu->actions().first());
        QCOMPARE(Tray()->TrayIcon()->contextMenu(), menu);
        QCOMPARE(Tray()->GetTip(), QStringLiteral("Telvaro"));

        // Hidden as "Minimize to tray" would, then a double-click.
        m_pFrame->hide();
        Q_EMIT Tray()->TrayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(!m_pFrame->isVisible());
        Q_EMIT Tray()->TrayIcon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(m_pFrame->isVisible());
        QVERIFY(!Tray()->IsIconShown());
    }

    void lookupSelectedCyclesThePicturesUntilTheLookupsEnd()
    {
        CLoopbackWhoisServer server(CWhoisBehaviour::Delay(std::chrono::milliseconds(2500), "No match for x"));
        g_tldTable.GetAt(0)->m_strServer = QByteArray::fromStdString(server.Address());
        MakeFrame();
        QVERIFY(m_run.m_pDoc->AddDomain("kettle.com"));
        m_run.m_pDoc->SetSelected(0, 1);
        const QIcon normal = Tray()->GetIcon();

        QVERIFY(Registry().Execute(ID_LOOKUP_SELECTED));
        QVERIFY(Tray()->IsAnimating());
        QTRY_COMPARE_WITH_TIMEOUT(Tray()->CurrentIcon(), 2, 5000);   // a picture a second
        QVERIFY(Tray()->GetIcon().cacheKey() != normal.cacheKey());
        QVERIFY(Registry().Execute(ID_LOOKUP_SELECTED));   // already cycling: goes on
        QVERIFY(Tray()->CurrentIcon() >= 2);

        QTRY_VERIFY_WITH_TIMEOUT(!m_pFrame->GetScheduler()->IsBusy(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!Tray()->IsAnimating(), 5000);
        QCOMPARE(Tray()->GetIcon().pixmap(22).toImage(), normal.pixmap(22).toImage());
    }

    void animationWrapsAndAPeriodEndsIt()
    {
        CSystemTray tray;
        QVERIFY(!tray.StepAnimation());
        QList<QIcon> icons;
        for (const QColor& c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
            QPixmap pixmap(16, 16);
            pixmap.fill(c);
            icons << QIcon(pixmap);
        }
        QVERIFY(tray.SetIconList(icons));
        QPixmap still(16, 16);
        still.fill(Qt::black);
        tray.SetIcon(QIcon(still));
        QVERIFY(tray.Animate(20, 1));
        for (int expected : {1, 2, 0, 1}) {
            QVERIFY(tray.StepAnimation());
            QCOMPARE(tray.CurrentIcon(), expected);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!tray.IsAnimating(), 4000);
        QCOMPARE(tray.GetIcon().pixmap(16).toImage().pixelColor(3, 3), QColor(Qt::black));

        tray.Create(QIcon(still), QString(70, QLatin1Char('x')), nullptr);
        QCOMPARE(tray.GetTip().size(), CSystemTray::kMaxTip);
        QVERIFY(!tray.SetMenuDefaultItem(0));
    }
};

TELVARO_GUI_TEST_MAIN(TrayCommandsTest)
#include "TrayCommandsTest.moc"
