#include "GuiTestMain.h"

#include "commands/CommandId.h"
#include "commands/CommandProxy.h"
#include "commands/CommandRegistry.h"
#include "commands/MenuBarBuilder.h"
#include "shell/RecentFileList.h"
#include "commands/ToolBarBuilder.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include <memory>

// The menu bar and toolbar as their builders make them from the tables, on
// a bare window with a registry of its own.
class FrameMenuTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_pWindow;
    CCommandRegistry* m_pRegistry = nullptr;
    QMenuBar* m_pBar = nullptr;
    QToolBar* m_pToolBar = nullptr;
    CMenuBarBuilder* m_pMenus = nullptr;
    CToolBarBuilder* m_pTools = nullptr;
    QStringList m_recent;

    void Register(std::initializer_list<CommandId> ids)
    {
        for (CommandId id : ids)
            m_pRegistry->Register(id, [] {});
    }

    // Toolbar contents as numbers, a separator as 0.
    static QList<int> Ids(std::initializer_list<CommandId> ids)
    {
        QList<int> numbers;
        for (CommandId id : ids)
            numbers << id.m_nValue;
        return numbers;
    }

    static QString Describe(QAction* action)
    {
        if (action->isSeparator())
            return QStringLiteral("-");
        if (QMenu* sub = action->menu()) {
            QStringList items;
            for (QAction* a : sub->actions())
                items << Describe(a);
            return sub->title() + QStringLiteral(" > [") + items.join(QStringLiteral(", ")) + QLatin1Char(']');
        }
        return action->text();
    }

    QStringList Titles() const
    {
        QStringList titles;
        for (QAction* a : m_pBar->actions())
            titles << a->text();
        return titles;
    }

    QStringList Items(const QString& title) const
    {
        for (QAction* a : m_pBar->actions()) {
            if (a->text() == title) {
                QStringList items;
                for (QAction* item : a->menu()->actions())
                    items << Describe(item);
                return items;
            }
        }
        return {};
    }

    QList<int> ToolBarIds() const
    {
        QList<int> ids;
        for (QAction* a : m_pToolBar->actions()) {
            auto* proxy = qobject_cast<CCommandProxy*>(a);
            ids << (proxy ? proxy->Id().m_nValue : a->isSeparator() ? 0 : -1);
        }
        return ids;
    }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        m_recent.clear();
        m_pWindow = std::make_unique<QWidget>();
        m_pRegistry = new CCommandRegistry(m_pWindow.get());
        m_pBar = new QMenuBar(m_pWindow.get());
        m_pToolBar = new QToolBar(m_pWindow.get());
        m_pMenus = new CMenuBarBuilder(m_pBar, m_pRegistry, [this](QObject* parent) {
            QList<QAction*> actions;
            for (const QString& path : std::as_const(m_recent))
                actions << new QAction(path, parent);
            return actions;
        });
        m_pTools = new CToolBarBuilder(m_pToolBar, m_pRegistry);
    }

    void cleanup() { m_pWindow.reset(); }

    void menusHoldExactlyTheRegisteredCommandsInOrder()
    {
        Register({ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_APP_EXIT, ID_HELP_TOPICS, ID_APP_ABOUT});
        m_pMenus->Rebuild();
        QCOMPARE(Titles(), (QStringList{QStringLiteral("&File"), QStringLiteral("&Help")}));
        QCOMPARE(Items(QStringLiteral("&File")),
                 (QStringList{QStringLiteral("&New\tCtrl+N"), QStringLiteral("&Open...\tCtrl+O"),
                              QStringLiteral("&Save\tCtrl+S"), QStringLiteral("-"), QStringLiteral("E&xit\tCtrl+Q")}));
        QCOMPARE(Items(QStringLiteral("&Help")),
                 (QStringList{QStringLiteral("&Help Topics"), QStringLiteral("-"), QStringLiteral("&About QZN...")}));

        // Commands registered later join their menus in their places,
        // with the keys from the accelerator table.
        m_recent = QStringList{QStringLiteral("&1 a.qzn")};
        Register({ID_FILE_PRINT, ID_FILE_SAVE_AS, ID_DELETE_FREE, ID_COPY_ALL, ID_LOOKUP_SELECTED, ID_OPTIONS});
        QTRY_COMPARE(Titles().size(), 4);
        QCOMPARE(Titles(), (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&Lookup"),
                                        QStringLiteral("&Help")}));
        QCOMPARE(Items(QStringLiteral("&File")),
                 (QStringList{QStringLiteral("&New\tCtrl+N"), QStringLiteral("&Open...\tCtrl+O"),
                              QStringLiteral("&Save\tCtrl+S"), QStringLiteral("Save &As..."), QStringLiteral("-"),
                              QStringLiteral("&Print...\tCtrl+P"), QStringLiteral("-"), QStringLiteral("&1 a.qzn"),
                              QStringLiteral("-"), QStringLiteral("E&xit\tCtrl+Q")}));
        QCOMPARE(Items(QStringLiteral("&Edit")),
                 (QStringList{QStringLiteral("&Copy All Entries\tCtrl+C"), QStringLiteral("-"),
                              QStringLiteral("Delete > [All &Free Domains]")}));
        QCOMPARE(Items(QStringLiteral("&Lookup")),
                 (QStringList{QStringLiteral("&All Selected\tF5"), QStringLiteral("-"), QStringLiteral("&Options...")}));
    }

    void menuItemsFollowTheirCommands()
    {
        bool enabled = false;
        bool checked = true;
        int runs = 0;
        m_pRegistry->Register(
            ID_VIEW_TOOLBAR, [&] { ++runs; }, [&] { return enabled; }, [&] { return checked; });
        m_pMenus->Rebuild();
        QMenu* view = m_pBar->actions().value(0)->menu();
        QVERIFY(view);
        QAction* item = view->actions().value(0);
        QCOMPARE(item->text(), QStringLiteral("&Toolbar"));
        QVERIFY(!item->isEnabled());
        QVERIFY(item->isCheckable() && item->isChecked());

        // Opening the menu brings the states up to date.
        enabled = true;
        checked = false;
        Q_EMIT view->aboutToShow();
        QVERIFY(item->isEnabled());
        QVERIFY(!item->isChecked());
        item->trigger();
        QCOMPARE(runs, 1);
        QVERIFY(!item->isChecked());   // the command's rule, not the click, decides

        // A stale item never runs a command that has become unavailable.
        enabled = false;
        item->trigger();
        QCOMPARE(runs, 1);
        QVERIFY(!item->isEnabled());
    }

    void toolbarShowsRegisteredButtonsWithoutStraySeparators()
    {
        Register({ID_FILE_NEW, ID_FILE_OPEN, ID_COPY_ALL, ID_LOOKUP_SELECTED, ID_STOP_ALL});
        m_pTools->Rebuild();
        QCOMPARE(ToolBarIds(), Ids({ID_FILE_NEW, ID_FILE_OPEN, CommandId{}, ID_COPY_ALL, CommandId{}, ID_LOOKUP_SELECTED, ID_STOP_ALL}));
        Register({ID_FIND, ID_SETUP_DOMAINS});
        QTRY_COMPARE(ToolBarIds().size(), 10);
        QCOMPARE(ToolBarIds(), Ids({ID_FILE_NEW, ID_FILE_OPEN, CommandId{}, ID_COPY_ALL, ID_FIND, CommandId{}, ID_LOOKUP_SELECTED,
                                           ID_STOP_ALL, CommandId{}, ID_SETUP_DOMAINS}));
        QCOMPARE(m_pToolBar->actions()[6]->toolTip(), QStringLiteral("Lookup Selected (F5)"));
        QCOMPARE(m_pToolBar->actions()[3]->toolTip(), QStringLiteral("Copy all (Ctrl+C)"));
    }

    void recentFilesKeepTheLastFourNewestFirst()
    {
        const QString dir = QDir::tempPath();
        {
            CRecentFileList list(4);
            for (const char* name : {"a.qzn", "b.qzn", "c.qzn", "d.qzn", "e.qzn"})
                list.Add(dir + QLatin1Char('/') + QString::fromLatin1(name));
            list.Add(dir + QStringLiteral("/./c.qzn"));   // the same file: moves to the top
        }
        CRecentFileList reread(4);
        QCOMPARE(reread.Paths(), (QStringList{dir + QStringLiteral("/c.qzn"), dir + QStringLiteral("/e.qzn"),
                                              dir + QStringLiteral("/d.qzn"), dir + QStringLiteral("/b.qzn")}));
        reread.Remove(dir + QStringLiteral("/e.qzn"));
        QCOMPARE(CRecentFileList(4).GetSize(), 3);
    }

    void recentFileMenuTextsAreShortAndLiteral()
    {
        CRecentFileList list(4);
        list.Add(QDir::homePath() + QStringLiteral("/R&D/names.qzn"));
        list.Add(QStringLiteral("/srv/a/very/long/folder/path/that/goes/on/and/on/for/ever/list.qzn"));
        QCOMPARE(list.MenuText(1), QStringLiteral("&2 ~/R&&D/names.qzn"));
        const QString shortened = list.MenuText(0);
        QVERIFY(shortened.startsWith(QLatin1String("&1 /srv/")));
        QVERIFY(shortened.endsWith(QStringLiteral("\u2026/list.qzn")));
        QVERIFY(shortened.size() <= 3 + 48);
    }
};

TELVARO_GUI_TEST_MAIN(FrameMenuTest)
#include "FrameMenuTest.moc"
