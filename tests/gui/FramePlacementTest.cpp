#include "GuiTestMain.h"

#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/MainFrame.h"
#include "base/Settings.h"
#include "shell/RecentFileList.h"
#include "shell/WindowPlacement.h"

#include <QScreen>
#include <QSettings>

#include <memory>

// "WindowPos": the stored text, and the window placed from it on the next run.
class FramePlacementTest : public QObject
{
    Q_OBJECT

private:
    CDomainDoc m_doc;
    CRecentFileList* m_pRecent = nullptr;

    std::unique_ptr<CMainFrame> NewFrame()
    {
        return std::make_unique<CMainFrame>(&m_doc, m_pRecent);
    }

private Q_SLOTS:
    void initTestCase()
    {
        (void)LoadTLDTable();
        m_pRecent = new CRecentFileList(4, this);
    }

    void init() { QSettings().clear(); }

    void parsesTheTenFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QRect>("normal");
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << QStringLiteral("0,1,-1,-1,-1,-1,10,20,810,620") << true << QRect(10, 20, 800, 600) << false;
        QTest::newRow("maximised") << QStringLiteral("2,3,-1,-1,-8,-8,0,0,640,480") << true << QRect(0, 0, 640, 480) << true;
        QTest::newRow("spaces") << QStringLiteral(" 0, 1,0,0,0,0, 5,5,105,105") << true << QRect(5, 5, 100, 100) << false;
        QTest::newRow("empty") << QString() << false << QRect() << false;
        QTest::newRow("nine fields") << QStringLiteral("0,1,-1,-1,-1,-1,10,20,810") << false << QRect() << false;
        QTest::newRow("eleven fields") << QStringLiteral("0,1,-1,-1,-1,-1,10,20,810,620,1") << false << QRect() << false;
        QTest::newRow("not numbers") << QStringLiteral("0,1,a,b,c,d,e,f,g,h") << false << QRect() << false;
        QTest::newRow("negative flags") << QStringLiteral("-2,1,0,0,0,0,0,0,100,100") << false << QRect() << false;
        QTest::newRow("inside out") << QStringLiteral("0,1,0,0,0,0,500,500,100,100") << false << QRect() << false;
    }

    void parsesTheTenFields()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QRect, normal);
        QFETCH(bool, maximized);
        const std::optional<CWindowPlacement> p = CWindowPlacement::Parse(text);
        QCOMPARE(p.has_value(), valid);
        if (!p)
            return;
        QCOMPARE(p->m_rcNormalPosition, normal);
        QCOMPARE(p->IsMaximized(), maximized);
        QCOMPARE(CWindowPlacement::Parse(p->Format())->Format(), p->Format());
    }

    void placementSurvivesARestart()
    {
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect where(avail.left() + 40, avail.top() + 30, 700, 480);
        {
            auto frame = NewFrame();
            frame->setGeometry(where);
            frame->show();
            QVERIFY(frame->close());
        }
        const QString stored = Settings::WindowPos.Get();
        QCOMPARE(stored.split(QLatin1Char(',')).size(), 10);
        QVERIFY(stored.startsWith(QLatin1String("0,1,")));
        auto frame = NewFrame();
        QCOMPARE(frame->geometry(), where);
    }

    void aMaximisedWindowReopensMaximised()
    {
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect normal(avail.left() + 50, avail.top() + 50, 600, 400);
        {
            auto frame = NewFrame();
            frame->setGeometry(normal);
            frame->showMaximized();
            QTRY_VERIFY(frame->isMaximized());
            QVERIFY(frame->close());
        }
        QVERIFY(Settings::WindowPos.Get().startsWith(QLatin1String("2,3,")));
        auto frame = NewFrame();
        frame->show();
        QTRY_VERIFY(frame->isMaximized());
        frame->showNormal();
        QTRY_COMPARE(frame->geometry(), normal);
    }

    void aMinimisedWindowIsStoredAsNormal()
    {
        QWidget window;
        window.setGeometry(100, 100, 300, 200);
        window.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
        const CWindowPlacement p = CWindowPlacement::FromWindow(window);
        QCOMPARE(p.m_flags, 0u);
        QCOMPARE(p.m_showCmd, CWindowPlacement::SW_HIDE);
        QVERIFY(!p.IsMaximized());
    }

    void badTextLeavesTheDefaultPlace()
    {
        const QSize defaultSize = NewFrame()->size();
        for (const char* text : {"", "garbage", "0,1,2,3", "0,1,0,0,0,0,300,300,10,10"}) {
            Settings::WindowPos.Set(QString::fromLatin1(text));
            QCOMPARE(NewFrame()->size(), defaultSize);
        }
    }

    void aPlaceOffEveryScreenIsBroughtBack()
    {
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        Settings::WindowPos.Set(QStringLiteral("0,1,-1,-1,-1,-1,%1,%2,%3,%4")
                                    .arg(avail.right() + 5000)
                                    .arg(avail.bottom() + 5000)
                                    .arg(avail.right() + 5000 + 640)
                                    .arg(avail.bottom() + 5000 + 480));
        auto frame = NewFrame();
        QVERIFY(avail.contains(frame->geometry()));
        QCOMPARE(frame->size(), QSize(640, 480));
    }
};

TELVARO_GUI_TEST_MAIN(FramePlacementTest)
#include "FramePlacementTest.moc"
