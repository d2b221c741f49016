// The notification-area icon against a real tray host: trayer docked in an
// Xvfb display of this test's own (tools/with-tray-host.sh starts both), with
// real clicks from xdotool. Where TELVARO_SCREENSHOT_DIR is set, pictures of
// the tray, its menu, the Options dialog and two drop-down menus go there.
#include "FrameTestSupport.h"
#include "NameDialogsSupport.h"
#include "GuiTestMain.h"
#include "LoopbackWhoisServer.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/MainFrame.h"
#include "shell/OptionsDlg.h"
#include "shell/RecentFileList.h"
#include "shell/SystemTray.h"
#include "shell/TrayCommands.h"
#include "shell/FileCommands.h"
#include "base/UserMessage.h"

#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QSystemTrayIcon>

#include <csignal>
#include <memory>

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// What the X server says of one window.
struct XWindow
{
    bool m_bViewable = false;
    QRect m_rect;        // on the screen
    quint64 m_nParent = 0;
    QString m_strName;   // name and class as xwininfo prints them
};

quint64 ParseId(const QString& text)
{
    bool ok = false;
    const quint64 id = text.toULongLong(&ok, 16);
    return ok ? id : 0;
}

XWindow Inspect(quint64 id)
{
    XWindow w;
    const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)});
    auto number = [&](const char* label) {
        const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(":\\s+(-?\\d+)"));
        return re.match(info).captured(1).toInt();
    };
    w.m_rect = QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"), number("Height"));
    w.m_bViewable = info.contains(QLatin1String("Map State: IsViewable"));
    const QString tree = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id), QStringLiteral("-children")});
    const QRegularExpressionMatch parent = QRegularExpression(QStringLiteral("Parent window id: 0x([0-9a-f]+)")).match(tree);
    w.m_nParent = ParseId(parent.captured(1));
    const QRegularExpressionMatch name = QRegularExpression(QStringLiteral("Window id: 0x[0-9a-f]+ (.*)")).match(tree);
    w.m_strName = name.captured(1);
    return w;
}

// The window of the panel that holds id, or 0 when it is not docked in one.
quint64 PanelOf(quint64 id)
{
    for (int depth = 0; id != 0 && depth < 10; ++depth) {
        const XWindow w = Inspect(id);
        if (w.m_strName.contains(QLatin1String("\"panel\"")))
            return id;
        id = w.m_nParent;
    }
    return 0;
}

QImage GrabScreen(const QRect& rect)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height()).toImage();
}

void SaveScreenshot(const QString& name, const QRect& rect)
{
    const QString folder = qEnvironmentVariable("TELVARO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(GrabScreen(rect).save(folder + QLatin1Char('/') + name));
}

bool HasColour(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - c.blue()) > 40 || std::abs(c.green() - c.blue()) > 40)
                return true;
        }
    }
    return false;
}

}

class TrayHostTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CLoopbackWhoisServer> m_pServer;
    std::unique_ptr<CDomainDoc> m_pDoc;
    std::unique_ptr<CRecentFileList> m_pRecent;
    std::unique_ptr<CMainFrame> m_pFrame;
    QProcess m_panel;   // a panel this test started in place of the first
    QImage m_normalIcon;
    QStringList m_errors;

    CSystemTray* Tray() const { return m_pFrame->TrayCommands()->Tray(); }
    CCommandRegistry& Registry() const { return *m_pFrame->Registry(); }

    // Qt's window for the icon, while it has one.
    static QWidget* IconWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (QByteArray(w->metaObject()->className()) == "QSystemTrayIconSys" && w->isVisible())
                return w;
        }
        return nullptr;
    }

    // The icon's window when it is docked and shown in a panel.
    static XWindow DockedIcon()
    {
        QWidget* icon = IconWindow();
        if (!icon)
            return {};
        const XWindow w = Inspect(icon->winId());
        return w.m_bViewable && PanelOf(icon->winId()) != 0 ? w : XWindow{};
    }

    static bool IsDocked() { return DockedIcon().m_bViewable; }

    static QImage IconPicture() { return GrabScreen(DockedIcon().m_rect); }

    static void Click(const QRect& at, int button, int count = 1)
    {
        const QPoint c = at.center();
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(c.x()),
                                    QString::number(c.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                                    QString::number(count), QStringLiteral("--delay"), QStringLiteral("120"),
                                    QString::number(button)}),
                 0);
    }

    // The top right of the screen, where the panel sits.
    static QRect TrayCorner()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        return QRect(screen.right() - 360, 0, 360, 120);
    }

    void MinimizeAndWaitForTheIcon()
    {
        QVERIFY(Registry().Execute(ID_MINIMIZE_TO_TRAY));
        QVERIFY(!m_pFrame->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(IsDocked(), 10000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display with a tray host; run it through tools/with-tray-host.sh (ctest does)");
        for (const char* program : {"xdotool", "xwininfo", "trayer"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (./build.sh installs it)").arg(QLatin1String(program))));
        }
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        SetUserMessageHandler([this](const QString& text) { m_errors << text; });
        QSettings().clear();
        (void)LoadTLDTable();
        m_pServer = std::make_unique<CLoopbackWhoisServer>();
        g_tldTable.GetAt(0)->m_strServer = QByteArray::fromStdString(m_pServer->Address());

        m_pDoc = std::make_unique<CDomainDoc>();
        m_pDoc->OnNewDocument();
        m_pRecent = std::make_unique<CRecentFileList>(4);
        m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), m_pRecent.get());
        m_pFrame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pFrame.get()));
    }

    void cleanupTestCase()
    {
        m_pFrame.reset();
        m_pRecent.reset();
        m_pDoc.reset();
        m_pServer.reset();
        if (m_panel.state() != QProcess::NotRunning) {
            m_panel.terminate();
            m_panel.waitForFinished(5000);
        }
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    }

    void dropDownMenusShowTheirPictures()
    {
        const QString list = m_dir.filePath(QStringLiteral("kettle.qzn"));
        QVERIFY(WriteListFile(list, {"kettle.com", "bluekettle.com"}));
        QVERIFY(m_pFrame->FileCommands()->OpenDocumentFile(list));
        m_pDoc->SetSelected(0, 1);   // so that "All Selected" is enabled, the rest disabled
        m_pFrame->RebuildBars();
        m_pFrame->move(0, 40);
        m_pFrame->activateWindow();
        for (const char* title : {"&File", "&Lookup"}) {
            QAction* top = nullptr;
            for (QAction* a : m_pFrame->menuBar()->actions()) {
                if (a->text() == QLatin1String(title))
                    top = a;
            }
            QVERIFY(top);
            m_pFrame->menuBar()->setActiveAction(top);
            QMenu* menu = top->menu();
            QTRY_VERIFY(menu->isVisible());
            QTest::qWait(200);
            QRect shot = menu->geometry().united(m_pFrame->menuBar()->geometry().translated(m_pFrame->geometry().topLeft()));
            SaveScreenshot(QStringLiteral("menu-%1.png").arg(QString::fromLatin1(title + 1).toLower()), shot.adjusted(-4, -4, 8, 8));
            // The pictures are on the screen, not only in the actions.
            QVERIFY(HasColour(GrabScreen(menu->geometry())));
            menu->close();
            QTRY_VERIFY(!menu->isVisible());
        }
    }

    void optionsDialogUnderX()
    {
        COptionsDlg dialog(m_pFrame.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(200);
        SaveScreenshot(QStringLiteral("options.png"), dialog.frameGeometry());
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("RunAtStartup"))->isVisible());
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("SixteenColorToolbar"))->isVisible());
        dialog.reject();
    }

    void minimizeToTrayDocksTheIconInThePanel()
    {
        QVERIFY(!Tray()->IsIconShown());
        QVERIFY(!IconWindow());
        MinimizeAndWaitForTheIcon();
        QCOMPARE(Tray()->GetTip(), QStringLiteral("Telvaro"));
        // The panel shows the program's picture, not an empty slot.
        QTRY_VERIFY(HasColour(IconPicture()));
        QTest::qWait(300);
        m_normalIcon = IconPicture();
        SaveScreenshot(QStringLiteral("tray.png"), TrayCorner());
    }

    void rightClickShowsTheMenuWithShowAsDefault()
    {
        QVERIFY(IsDocked());
        QMenu* menu = m_pFrame->TrayCommands()->Menu();
        Click(DockedIcon().m_rect, 3);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(menu));
        QStringList items;
        for (QAction* a : menu->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{QStringLiteral("Show..."), QStringLiteral("&Options...")}));
        QCOMPARE(menu->defaultAction(), menu->actions().first());
        QTest::qWait(200);
        SaveScreenshot(QStringLiteral("tray-menu.png"), menu->geometry().united(TrayCorner()).adjusted(-4, -4, 4, 4));

        // Options... opens the dialog, from the tray, the window still hidden.
        QStringList titles;
        CModalDriver driver([&](QWidget* window) {
            titles << window->windowTitle();
            qobject_cast<QDialog*>(window)->reject();
        });
        menu->actions().at(1)->trigger();
        QCOMPARE(titles, QStringList{QStringLiteral("Options")});
        QVERIFY(!m_pFrame->isVisible());
        QTRY_VERIFY(!menu->isVisible());
    }

    void iconCyclesWhileLookupSelectedRuns()
    {
        QVERIFY(IsDocked());
        m_pServer->SetDefaultBehaviour(CWhoisBehaviour::Delay(std::chrono::milliseconds(4500), "No match for x"));
        for (int i = 0; i < m_pDoc->GetCount(); ++i)
            m_pDoc->SetSelected(i, 1);
        QVERIFY(Registry().Execute(ID_LOOKUP_SELECTED));
        QVERIFY(Tray()->IsAnimating());

        // Once a second a new picture, in the panel itself.
        QList<QImage> seen;
        QList<int> frames;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 4200) {
            QTest::qWait(250);
            const QImage picture = IconPicture();
            if (!picture.isNull() && !seen.contains(picture))
                seen << picture;
            if (!frames.contains(Tray()->CurrentIcon()))
                frames << Tray()->CurrentIcon();
        }
        QVERIFY2(seen.size() >= 4, qPrintable(QString::number(seen.size())));   // normal, then three busy pictures
        QVERIFY2(frames.size() >= 3 && frames.size() <= 6, qPrintable(QString::number(frames.size())));
        QVERIFY(Tray()->IsAnimating());

        // When the lookups end the program's own picture comes back.
        QTRY_VERIFY_WITH_TIMEOUT(!m_pFrame->GetScheduler()->IsBusy(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!Tray()->IsAnimating(), 10000);
        QTRY_COMPARE(IconPicture(), m_normalIcon);
        QCOMPARE(m_pDoc->GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    }

    void doubleClickRestoresTheWindow()
    {
        QVERIFY(IsDocked());
        Click(DockedIcon().m_rect, 1, 2);
        QTRY_VERIFY(m_pFrame->isVisible());
        QTRY_VERIFY(!IconWindow());
        QVERIFY(!Tray()->IsIconShown());
    }

    void theIconReturnsWhenThePanelRestarts()
    {
        const QString command = qEnvironmentVariable("TELVARO_TRAY_HOST");
        const qint64 pid = qEnvironmentVariableIntValue("TELVARO_TRAY_HOST_PID");
        if (command.isEmpty() || pid <= 0)
            QSKIP("tools/with-tray-host.sh did not say which panel it started");
        MinimizeAndWaitForTheIcon();

        // The X server may give the new panel the ids of the old one, so the
        // icon is seen to leave before the new panel starts.
        QCOMPARE(::kill(pid_t(pid), SIGTERM), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!IsDocked(), 10000);
        QStringList words = QProcess::splitCommand(command);
        m_panel.start(words.takeFirst(), words);
        QVERIFY(m_panel.waitForStarted());
        const auto inNewPanel = [] { return IsDocked(); };
        QTRY_VERIFY_WITH_TIMEOUT(inNewPanel() || m_pFrame->isVisible(), 30000);
        if (m_pFrame->isVisible()) {
            // The new panel took longer than a restart may (a loaded machine,
            // a sanitizer build): the window came back as for a panel gone
            // for good. The icon still docks in the new panel.
            qWarning("the new panel took its time; the window came back first");
            MinimizeAndWaitForTheIcon();
            QVERIFY(inNewPanel());
        }
        QVERIFY(!m_pFrame->isVisible());
        QTRY_VERIFY(HasColour(IconPicture()));
    }

    void theWindowReturnsWhenThePanelGoesAway()
    {
        if (m_panel.state() == QProcess::NotRunning)
            QSKIP("needs the panel of the previous test");
        QVERIFY(m_pFrame->TrayCommands()->IsInTray());
        m_panel.terminate();
        QVERIFY(m_panel.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(m_pFrame->isVisible(), 10000);
        QVERIFY(!m_pFrame->TrayCommands()->IsInTray());
        Registry().UpdateCommandUI();
        QVERIFY(!Registry().Find(ID_MINIMIZE_TO_TRAY)->isEnabled());
        QVERIFY(!Registry().Execute(ID_MINIMIZE_TO_TRAY));
        QVERIFY(m_pFrame->isVisible());
    }
};

TELVARO_GUI_TEST_MAIN(TrayHostTest)
#include "TrayHostTest.moc"
