#include "FrameTestSupport.h"
#include "FrameUnderTest.h"
#include "GuiTestMain.h"

#include "commands/CommandIcons.h"
#include "commands/CommandId.h"
#include "commands/CommandProxy.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "commands/MenuBarBuilder.h"
#include "commands/MenuBuilder.h"
#include "commands/MenuTable.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/FileCommands.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include <memory>

// Drop-down menus show the picture of the toolbar button with the same
// command, drawn from the one command table; the rest of what the menus
// must do (one text column, one column of keys, disabled and checked
// items, mnemonics) is Qt's, checked here where a test can see it.
class MenuPicturesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    CFrameUnderTest m_run;
    CMainFrame* m_pFrame = nullptr;

    static QImage Picture(const QIcon& icon, QIcon::Mode mode = QIcon::Normal)
    {
        return icon.pixmap(QSize(18, 18), mode).toImage();
    }

    // Every command item of the menu bar, sub-menus included.
    QList<QAction*> MenuItems() const
    {
        QList<QAction*> items;
        QList<QMenu*> menus;
        for (QAction* top : m_pFrame->menuBar()->actions())
            menus << top->menu();
        while (!menus.isEmpty()) {
            for (QAction* a : menus.takeFirst()->actions()) {
                if (a->menu())
                    menus << a->menu();
                else if (!a->isSeparator())
                    items << a;
            }
        }
        return items;
    }

    QMenu* TopMenu(const char* title) const
    {
        for (QAction* a : m_pFrame->menuBar()->actions()) {
            if (a->text() == QLatin1String(title))
                return a->menu();
        }
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        (void)LoadTLDTable();
        m_run.Start();
        m_pFrame = m_run.m_pFrame.get();
    }

    void cleanup() { m_run.Stop(); }

    void menuItemsShowTheirToolbarButtonsPicture()
    {
        QHash<int, QImage> buttons;
        for (QAction* a : m_pFrame->ToolBar()->actions()) {
            if (auto* proxy = qobject_cast<CCommandProxy*>(a))
                buttons.insert(proxy->Id().m_nValue, Picture(a->icon()));
        }
        QVERIFY(buttons.size() >= 8);
        int matched = 0;
        for (QAction* item : MenuItems()) {
            const int id = item->data().toInt();
            if (buttons.contains(id)) {
                QVERIFY2(Picture(item->icon()) == buttons.value(id), qPrintable(item->text()));
                ++matched;
            }
        }
        QVERIFY(matched >= 6);
    }

    void commandsWithoutAButtonHaveTheirOwnPicture()
    {
        // The second picture strip: menu items that no toolbar button carries.
        const CommandId extra[] = {ID_FILE_SAVE_AS, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_APP_EXIT,
                                   ID_COPY_SELECTED, ID_DELETE_ALL, ID_REFRESH, ID_EXPORT_ACCESS,
                                   ID_TRADEMARK_LOOKUP, ID_AUTO_TRADEMARK, ID_CHECK_TRADEMARK, ID_TRADEMARK_ALL_SELECTED};
        QList<QImage> seen;
        for (CommandId id : extra) {
            const QIcon icon = GetCommandIcon(id);
            QVERIFY2(!icon.isNull(), qPrintable(CommandMenuText(id)));
            const QImage picture = Picture(icon);
            QVERIFY2(!seen.contains(picture), qPrintable(CommandMenuText(id)));   // each its own
            seen << picture;
        }
        for (QAction* item : MenuItems()) {
            if (item->data().toInt() == ID_APP_EXIT.m_nValue)
                QCOMPARE(Picture(item->icon()), Picture(GetCommandIcon(ID_APP_EXIT)));
        }
    }

    void disabledAndCheckedItemsLookIt()
    {
        QAction* stop = nullptr;
        for (QAction* item : MenuItems()) {
            if (item->data().toInt() == ID_STOP_ALL.m_nValue)
                stop = item;
        }
        QVERIFY(stop);
        QVERIFY(!stop->isEnabled());   // nothing runs
        QVERIFY(Picture(stop->icon(), QIcon::Disabled) != Picture(stop->icon()));

        QMenu* view = TopMenu("&View");
        QVERIFY(view);
        QAction* toolbar = view->actions().first();
        QCOMPARE(toolbar->text(), QStringLiteral("&Toolbar"));
        QVERIFY(toolbar->isCheckable() && toolbar->isChecked());
    }

    void aCheckedItemWithAPictureLooksChecked()
    {
        // "Auto Trademark Lookup" is checkable and has a picture.
        QWidget window;
        CCommandRegistry registry(&window);
        bool checked = false;
        registry.Register(ID_AUTO_TRADEMARK, [] {}, {}, [&] { return checked; });
        CMenuBuilder builder(&registry, MenuPlace::ContextMenu);
        const MenuItem items[] = {{MenuItemKind::Command, ID_AUTO_TRADEMARK, nullptr, {}}};
        std::unique_ptr<QMenu> menu(builder.Build(QString(), items, nullptr));
        QVERIFY(menu);
        menu->popup(QPoint(0, 0));
        QTRY_VERIFY(menu->isVisible());
        const QImage off = menu->grab().toImage();
        checked = true;
        registry.UpdateCommandUI();
        QVERIFY(menu->actions().first()->isChecked());
        menu->update();
        const QImage on = menu->grab().toImage();
        if (const QString folder = qEnvironmentVariable("TELVARO_SCREENSHOT_DIR"); !folder.isEmpty())
            on.save(folder + QStringLiteral("/menu-checked-picture.png"));
        QVERIFY(on != off);
    }

    void recentFilesAreItemsLikeTheOthers()
    {
        const QString path = m_dir.filePath(QStringLiteral("kettle.qzn"));
        QVERIFY(WriteListFile(path, {"kettle.com"}));
        QVERIFY(m_pFrame->FileCommands()->OpenDocumentFile(path));
        m_pFrame->RebuildBars();
        QMenu* file = TopMenu("&File");
        QVERIFY(file);
        QAction* recent = nullptr;
        for (QAction* a : file->actions()) {
            if (a->text().startsWith(QLatin1String("&1 ")))
                recent = a;
        }
        QVERIFY(recent);
        QVERIFY(!recent->menu() && !recent->isSeparator());
        QCOMPARE(recent->font(), file->actions().first()->font());
        QVERIFY(recent->parent() == file);
    }

    void aMnemonicRunsItsItemAndOtherLettersNothing()
    {
        QWidget window;
        CCommandRegistry registry(&window);
        QStringList ran;
        for (CommandId id : {ID_CHECK_AVAILABILITY, ID_LOOKUP_SELECTED, ID_STOP_ALL, ID_OPTIONS, ID_SETUP_DOMAINS})
            registry.Register(id, [&ran, id] { ran << CommandMenuText(id); });
        QMenuBar bar(&window);
        CMenuBarBuilder builder(&bar, &registry, {});
        builder.Rebuild();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMenu* lookup = bar.actions().first()->menu();
        QCOMPARE(bar.actions().first()->text(), QStringLiteral("&Lookup"));

        lookup->popup(QPoint(10, 10));
        QTRY_VERIFY(lookup->isVisible());
        // Alt is still held from opening the menu with Alt+L; then a letter.
        const auto altPlus = [&](Qt::Key key, const char* text) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::AltModifier, QString::fromLatin1(text));
            QCoreApplication::sendEvent(lookup, &press);
        };
        altPlus(Qt::Key_Z, "z");   // no item underlines z
        QVERIFY(ran.isEmpty());
        QVERIFY(lookup->isVisible());
        altPlus(Qt::Key_O, "o");   // the first of "&Options..." and "Setup D&omains"
        QCOMPARE(ran, QStringList{QStringLiteral("&Options...")});
        QTRY_VERIFY(!lookup->isVisible());

        lookup->popup(QPoint(10, 10));
        QTRY_VERIFY(lookup->isVisible());
        QTest::keyClick(lookup, Qt::Key_A);
        QCOMPARE(ran.last(), QStringLiteral("&All Selected\tF5"));
    }
};

TELVARO_GUI_TEST_MAIN(MenuPicturesTest)
#include "MenuPicturesTest.moc"
