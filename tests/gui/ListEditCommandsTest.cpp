#include "EditingSupport.h"
#include "FrameTestSupport.h"
#include "GuiTestMain.h"
#include "LoopbackWhoisServer.h"
#include "NameDialogsSupport.h"
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/TextHistory.h"
#include "commands/CommandProxy.h"
#include "lookup/LookupScheduler.h"
#include "view/DeleteCommands.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/InfoPane.h"
#include "view/SelectRangeDlg.h"
#include "widgets/UpDownEdit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextCursor>
#include <QToolBar>

#include <memory>

// The list editing commands as a user meets them in the main window: the
// delete questions, the marks, the range and find dialogs, the clipboard
// copies and the wizard.
class ListEditCommandsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CEditingFrame> m_pEdit;

    CEditingFrame& E() { return *m_pEdit; }
    CDomainDoc& Doc() { return m_pEdit->Doc(); }
    CDomainListCtrl* List() { return E().Frame().GetView()->GetListCtrl(); }
    static QByteArray Clipboard() { return QGuiApplication::clipboard()->text().toLatin1(); }

    // The proxy of id in the menu bar, found by walking the menus.
    QAction* MenuItem(CommandId id)
    {
        QList<QMenu*> menus;
        for (QAction* top : E().Frame().menuBar()->actions())
            menus << top->menu();
        while (!menus.isEmpty()) {
            QMenu* menu = menus.takeFirst();
            for (QAction* item : menu->actions()) {
                if (item->menu())
                    menus << item->menu();
                if (auto* proxy = qobject_cast<CCommandProxy*>(item); proxy && proxy->Id() == id)
                    return proxy;
            }
        }
        return nullptr;
    }

    // Replaces the field's text as a user would, by typing over it.
    static void TypeInto(CUpDownEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    QAction* ToolButton(CommandId id)
    {
        for (QAction* a : E().Frame().ToolBar()->actions()) {
            if (auto* proxy = qobject_cast<CCommandProxy*>(a); proxy && proxy->Id() == id)
                return a;
        }
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        BuildDefaultTLDTable();
        m_pEdit = std::make_unique<CEditingFrame>();
        QVERIFY(QTest::qWaitForWindowExposed(&E().Frame()));
    }

    void cleanup() { m_pEdit.reset(); }

    void deleteAsksAndOnlyYesDeletes_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArrayList>("left");
        const QByteArrayList all{"a.com", "b.com", "c.com", "d.com"};
        const QString selected = QString::fromLatin1(DeleteQuestions::kSelected);
        QTest::newRow("selected, yes") << ID_DELETE_SELECTED.m_nValue << int(QMessageBox::Yes) << selected
                                       << QByteArrayList{"b.com", "d.com"};
        QTest::newRow("selected, no") << ID_DELETE_SELECTED.m_nValue << int(QMessageBox::No) << selected << all;
        QTest::newRow("all, yes") << ID_DELETE_ALL.m_nValue << int(QMessageBox::Yes)
                                  << QStringLiteral("This will delete 4 entries from the list.\r\n\r\nAre you sure?")
                                  << QByteArrayList{};
        QTest::newRow("all, cancel") << ID_DELETE_ALL.m_nValue << int(QMessageBox::Cancel)
                                     << QStringLiteral("This will delete 4 entries from the list.\r\n\r\nAre you sure?")
                                     << all;
        QTest::newRow("registered, yes")
            << ID_DELETE_REGISTERED.m_nValue << int(QMessageBox::Yes)
            << QStringLiteral("This will delete all registered domain names from the list.\r\n\r\nAre you sure?")
            << QByteArrayList{"a.com", "c.com", "d.com"};
        QTest::newRow("free, yes")
            << ID_DELETE_FREE.m_nValue << int(QMessageBox::Yes)
            << QStringLiteral("This will delete all unregistered domain names from the list.\r\n\r\nAre you sure?")
            << QByteArrayList{"a.com", "b.com", "d.com"};
        QTest::newRow("free, no") << ID_DELETE_FREE.m_nValue << int(QMessageBox::No)
                                  << QStringLiteral(
                                         "This will delete all unregistered domain names from the list.\r\n\r\nAre "
                                         "you sure?")
                                  << all;
    }

    void deleteAsksAndOnlyYesDeletes()
    {
        QFETCH(int, command);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(QByteArrayList, left);
        // a marked, b taken, c free and marked, d unknown.
        E().Fill({"a.com", "b.com", "c.com", "d.com"}, "0230", "x.x.");
        CMessageBoxAnswerer answerer{QMessageBox::StandardButton(answer)};
        QAction* item = MenuItem(CommandId{command});
        QVERIFY(item);
        QVERIFY(item->isEnabled());
        item->trigger();
        QCOMPARE(answerer.m_texts, QStringList{question});
        QCOMPARE(E().Names(), left);
        QCOMPARE(Doc().IsModified(), left.size() != 4);
        QCOMPARE(List()->GetItemCount(), int(left.size()));
    }

    void deleteAllOfTwelveNamesTheNumber()
    {
        for (int i = 0; i < 12; ++i)
            QVERIFY(Doc().AddDomain("n" + QByteArray::number(i) + ".com"));
        Doc().SetModifiedFlag(false);
        CMessageBoxAnswerer answerer{QMessageBox::No};
        QVERIFY(E().Registry().Execute(ID_DELETE_ALL));
        QCOMPARE(answerer.m_texts,
                 QStringList{QStringLiteral("This will delete 12 entries from the list.\r\n\r\nAre you sure?")});
        QCOMPARE(Doc().GetCount(), 12);
        QVERIFY(!Doc().IsModified());
    }

    void deleteRegisteredWithoutTakenNamesAsksAndChangesNothing()
    {
        E().Fill({"a.com", "b.com"}, "30", "x.");
        CMessageBoxAnswerer answerer{QMessageBox::Yes};
        QVERIFY(E().Registry().Execute(ID_DELETE_REGISTERED));
        QCOMPARE(answerer.m_texts.size(), 1);
        QCOMPARE(E().Names(), (QByteArrayList{"a.com", "b.com"}));
        QVERIFY(!Doc().IsModified());
        // Delete Selected with nothing marked is not offered at all.
        E().Registry().Execute(ID_UNSELECT_ALL);
        QVERIFY(!E().Enabled(ID_DELETE_SELECTED));
        Doc().DeleteAllDomains();
        Doc().NotifyListRebuilt();
        QVERIFY(!E().Enabled(ID_DELETE_ALL));
        QVERIFY(!E().Enabled(ID_DELETE_FREE));
    }

    void deleteAllWhileALookupRunsKeepsThatNameAsRowOne()
    {
        CLoopbackWhoisServer server(CWhoisBehaviour::Delay(std::chrono::milliseconds(1500), "No match\r\n"));
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(server.Address()), 1));
        E().Fill({"a.com", "b.com", "slow.com", "d.com"});
        List()->HighlightItem(2);
        QVERIFY(E().Registry().Execute(ID_CHECK_AVAILABILITY));
        QVERIFY(Doc().GetAt(2)->IsBusy());
        // The busy entry cannot go on its own either.
        QVERIFY(!E().Enabled(ID_DELETE_ENTRY));

        CMessageBoxAnswerer answerer{QMessageBox::Yes};
        QVERIFY(E().Registry().Execute(ID_DELETE_ALL));
        QCOMPARE(E().Names(), QByteArrayList{"slow.com"});
        QCOMPARE(List()->GetItemCount(), 1);
        QCOMPARE(List()->model()->index(0, 1).data().toString(), QStringLiteral("slow.com"));
        // Its answer still finds it, now in row 1.
        QVERIFY(ProcessEventsUntil([&] { return !Doc().GetAt(0)->IsBusy(); }));
        QCOMPARE(Doc().GetAt(0)->m_nStatus, uint8_t(STATUS_AVAILABLE));
        QTRY_COMPARE(List()->model()->index(0, 2).data().toString(), QStringLiteral("*AVAILABLE*"));
        g_tldTable.RemoveAll();
    }

    void deleteEntryRemovesTheHighlightedRowWithoutAsking()
    {
        E().Fill({"a.com", "b.com", "c.com"}, "010");
        QVERIFY(!E().Enabled(ID_DELETE_ENTRY));
        List()->HighlightItem(1);
        QVERIFY(!E().Enabled(ID_DELETE_ENTRY));   // "Checking"
        List()->HighlightItem(2);
        CMessageBoxAnswerer answerer;
        QVERIFY(E().Registry().Execute(ID_DELETE_ENTRY));
        QVERIFY(answerer.m_texts.isEmpty());
        QCOMPARE(E().Names(), (QByteArrayList{"a.com", "b.com"}));
        QCOMPARE(List()->GetItemCount(), 2);
        QVERIFY(Doc().IsModified());
    }

    void marksFromTheSelectionsMenu()
    {
        E().Fill({"a.com", "b.com", "c.com", "d.com"}, "0303", "x...");
        QCOMPARE(MenuItem(ID_SELECT_FREE)->text(), QStringLiteral("Select &Free Domains"));
        MenuItem(ID_INVERT_SELECTION)->trigger();
        QCOMPARE(E().Marks(), QStringLiteral(".xxx"));
        MenuItem(ID_INVERT_SELECTION)->trigger();
        QCOMPARE(E().Marks(), QStringLiteral("x..."));
        QVERIFY(Doc().IsModified());
        // The check boxes show the marks.
        QCOMPARE(List()->model()->index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);

        MenuItem(ID_SELECT_FREE)->trigger();
        QCOMPARE(E().Marks(), QStringLiteral("xx.x"));
        MenuItem(ID_SELECT_ALL)->trigger();
        QCOMPARE(E().Marks(), QStringLiteral("xxxx"));
        QVERIFY(!E().Enabled(ID_SELECT_ALL));
        MenuItem(ID_UNSELECT_ALL)->trigger();
        QCOMPARE(E().Marks(), QStringLiteral("...."));
        QVERIFY(!E().Enabled(ID_UNSELECT_ALL));
        QVERIFY(!E().Enabled(ID_INVERT_SELECTION));
        QCOMPARE(List()->model()->index(3, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);

        Doc().GetAt(1)->m_nStatus = STATUS_TAKEN;
        Doc().GetAt(3)->m_nStatus = STATUS_UNKNOWN;
        QVERIFY(!E().Enabled(ID_SELECT_FREE));
    }

    void rangeDialogRefusesNonNumbersSwapsAndUnselects()
    {
        E().Fill({"a.com", "b.com", "c.com", "d.com", "e.com", "f.com"}, "", "x....x");
        Settings::RangeFirst.Set(2);
        Settings::RangeLast.Set(4);
        Settings::RangeUnselect.Set(1);
        QAction* button = ToolButton(ID_SELECT_RANGE);
        QVERIFY(button && button->isEnabled());

        bool stayedOpen = false;
        QStringList messages;
        {
            CModalDriver driver([&](QWidget* top) {
                auto* dlg = qobject_cast<CSelectRangeDlg*>(top);
                QVERIFY(dlg);
                QCOMPARE(dlg->windowTitle(), QStringLiteral("Select a Range"));
                auto* from = dlg->findChild<CUpDownEdit*>(QStringLiteral("from"));
                auto* to = dlg->findChild<CUpDownEdit*>(QStringLiteral("to"));
                auto* unselect = dlg->findChild<QCheckBox*>(QStringLiteral("unselect"));
                auto* ok = dlg->findChild<QPushButton*>(QStringLiteral("ok"));
                QCOMPARE(from->text(), QStringLiteral("2"));
                QCOMPARE(to->text(), QStringLiteral("4"));
                QVERIFY(unselect->isChecked());
                QCOMPARE(unselect->text(), QStringLiteral("Unselect the others"));
                // The arrows step within 1 to 9999.
                from->stepBy(-5);
                QCOMPARE(from->text(), QStringLiteral("1"));
                SaveShot(dlg, "select-range");

                TypeInto(from, QStringLiteral("five"));
                QTest::mouseClick(ok, Qt::LeftButton);
                stayedOpen = dlg->isVisible();
                // The refused field is where typing goes on.
                QWidget* focus = dlg->focusWidget();
                QVERIFY(focus == from || from->isAncestorOf(focus));
                QVERIFY(E().Marks() == QStringLiteral("x....x"));

                TypeInto(from, QStringLiteral(" 5"));
                TypeInto(to, QStringLiteral("3"));
                unselect->setChecked(false);
                QTest::mouseClick(ok, Qt::LeftButton);
            });
            button->trigger();
            messages = driver.m_messages;
        }
        QVERIFY(stayedOpen);
        QCOMPARE(messages, QStringList{QString::fromLatin1(CSelectRangeDlg::kNotAnInteger)});
        // Rows 3 to 5 marked, the others as they were.
        QCOMPARE(E().Marks(), QStringLiteral("x.xxxx"));
        QVERIFY(Doc().IsModified());
        QCOMPARE(Settings::RangeFirst.Get(), 3);
        QCOMPARE(Settings::RangeLast.Get(), 5);
        QCOMPARE(Settings::RangeUnselect.Get(), 0);

        // Again, unselecting the others; the dialog opens as it was left.
        {
            CModalDriver again([&](QWidget* top) {
                auto* dlg = qobject_cast<CSelectRangeDlg*>(top);
                QVERIFY(dlg);
                QCOMPARE(dlg->findChild<CUpDownEdit*>(QStringLiteral("from"))->text(), QStringLiteral("3"));
                TypeInto(dlg->findChild<CUpDownEdit*>(QStringLiteral("to")), QStringLiteral("-7"));
                dlg->findChild<QCheckBox*>(QStringLiteral("unselect"))->setChecked(true);
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            });
            button->trigger();
            QVERIFY(again.m_messages.isEmpty());
        }
        // -7 is 0, then swapped: rows 0 to 3, so 1 to 3.
        QCOMPARE(E().Marks(), QStringLiteral("xxx..."));

        // Cancel changes nothing and stores nothing.
        Doc().SetModifiedFlag(false);
        {
            CModalDriver cancel([&](QWidget* top) {
                TypeInto(top->findChild<CUpDownEdit*>(QStringLiteral("from")), QStringLiteral("6"));
                QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
            });
            button->trigger();
        }
        QCOMPARE(E().Marks(), QStringLiteral("xxx..."));
        QVERIFY(!Doc().IsModified());
        QCOMPARE(Settings::RangeFirst.Get(), 0);
    }

    void findPrefersTheWholeNameAndShowsTheRow()
    {
        E().Fill({"kettleshop.com", "Kettle.com", "kettle.net", "teapot.com"});
        Doc().GetAt(1)->m_strWhois = "Domain Name: KETTLE.COM\r\nRegistrar: Example\r\n";
        Doc().GetAt(1)->m_nStatus = STATUS_TAKEN;
        Settings::FindDomain.Set(QStringLiteral("kettle.com"));
        QVERIFY(E().Enabled(ID_FIND));

        QStringList initial;
        {
            CModalDriver driver([&](QWidget* top) {
                auto* combo = top->findChild<QComboBox*>(QStringLiteral("text"));
                QVERIFY(combo);
                QCOMPARE(top->windowTitle(), QStringLiteral("Find"));
                initial << combo->currentText();
                SaveShot(top, "find");
                QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            });
            QVERIFY(E().Activate());
        QTest::keyClick(&E().Frame(), Qt::Key_F, Qt::ControlModifier);
        }
        // Without a history the text of last time comes back.
        QCOMPARE(initial, QStringList{QStringLiteral("kettle.com")});
        QCOMPARE(List()->GetHighlightedItem(), 1);
        QCOMPARE(List()->selectionModel()->selectedRows().value(0).row(), 1);
        QTRY_VERIFY(E().Frame().GetView()->GetInfoPane()->toPlainText().contains(QStringLiteral("Registrar: Example")));
        QCOMPARE(LoadTextHistory(Settings::FindSection), QStringList{QStringLiteral("kettle.com")});

        // Only a prefix: the first row that begins with it. F3 opens it too.
        {
            CModalDriver prefix([&](QWidget* top) {
                auto* combo = top->findChild<QComboBox*>(QStringLiteral("text"));
                combo->setEditText(QStringLiteral("KETTLE.N"));
                QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            });
            QVERIFY(E().Activate());
        QTest::keyClick(&E().Frame(), Qt::Key_F3);
        }
        QCOMPARE(List()->GetHighlightedItem(), 2);
        QCOMPARE(Settings::FindDomain.Get(), QStringLiteral("KETTLE.N"));

        // Nothing found: nothing said, the highlight stays.
        {
            CModalDriver none([&](QWidget* top) {
                top->findChild<QComboBox*>(QStringLiteral("text"))->setEditText(QStringLiteral("coffee"));
                QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            });
            QVERIFY(E().Registry().Execute(ID_FIND));
            QVERIFY(none.m_messages.isEmpty());
        }
        QCOMPARE(List()->GetHighlightedItem(), 2);
    }

    void findHistoryIsSortedAndHoldsTwentyOne()
    {
        E().Fill({"a.com"});
        // 21 texts stored newest first, "t00" the newest.
        QStringList stored;
        for (int i = 0; i < 21; ++i)
            stored << QStringLiteral("t%1").arg(20 - i, 2, 10, QLatin1Char('0'));
        {
            QSettings settings;
            settings.beginGroup(QStringLiteral("Find"));
            for (int i = 0; i < stored.size(); ++i)
                settings.setValue(QString::number(i + 1), stored[i]);
            settings.setValue(QStringLiteral("Count"), int(stored.size()));
        }
        QStringList shown;
        QString initial;
        auto findText = [&](const QString& text) {
            CModalDriver driver([&](QWidget* top) {
                auto* combo = top->findChild<QComboBox*>(QStringLiteral("text"));
                shown.clear();
                for (int i = 0; i < combo->count(); ++i)
                    shown << combo->itemText(i);
                initial = combo->currentText();
                combo->setEditText(text);
                QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            });
            QVERIFY(E().Registry().Execute(ID_FIND));
        };
        findText(QStringLiteral("New"));
        QStringList sorted = stored;
        sorted.sort();
        QCOMPARE(shown, sorted);
        // The first of the sorted box is where the dialog starts.
        QCOMPARE(initial, QStringLiteral("t00"));
        // A 22nd text drops the box's last entry.
        QStringList history = LoadTextHistory(Settings::FindSection);
        QCOMPARE(history.size(), 21);
        QCOMPARE(history.first(), QStringLiteral("New"));
        QVERIFY(!history.contains(QStringLiteral("t20")));

        // A text used again moves to the top; the history does not grow.
        findText(QStringLiteral("T05"));
        history = LoadTextHistory(Settings::FindSection);
        QCOMPARE(history.size(), 21);
        QCOMPARE(history.first().toLower(), QStringLiteral("t05"));
        QCOMPARE(history.filter(QStringLiteral("t05"), Qt::CaseInsensitive).size(), 1);
        QCOMPARE(shown.first(), QStringLiteral("New"));
    }

    void clipboardGetsTheTextsByteForByte()
    {
        E().Fill({"alpha.com", "beta.net", "gamma.org"}, "230", ".xx");
        Doc().GetAt(0)->m_strDNS = "192.0.2.7";
        Doc().GetAt(0)->m_strWhois = "Domain: ALPHA.COM\r\nRegistrar: R\xe9gistre\r\n";
        QGuiApplication::clipboard()->clear();

        QVERIFY(!E().Enabled(ID_COPY_DOMAIN_NAME));
        QVERIFY(E().Activate());
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QByteArray("alpha.com\r\nbeta.net\r\ngamma.org\r\n"));
        QVERIFY(E().Registry().Execute(ID_COPY_SELECTED));
        QCOMPARE(Clipboard(), QByteArray("beta.net\r\ngamma.org\r\n"));

        List()->HighlightItem(0);
        QVERIFY(E().Registry().Execute(ID_COPY_DOMAIN_NAME));
        QCOMPARE(Clipboard(), QByteArray("alpha.com"));
        QVERIFY(E().Registry().Execute(ID_COPY_DOMAIN_IP));
        QCOMPARE(Clipboard(), QByteArray("192.0.2.7"));
        QVERIFY(E().Registry().Execute(ID_COPY_DOMAIN_INFO));
        QCOMPARE(Clipboard(), QByteArray("Domain: ALPHA.COM\r\nRegistrar: R\xe9gistre\r\n"));
        QVERIFY(E().Registry().Execute(ID_COPY_DOMAIN_URL));
        QCOMPARE(Clipboard(), QByteArray("http://www.alpha.com"));

        // In the whois pane the same keys copy what is selected there.
        CInfoPane* pane = E().Frame().GetView()->GetInfoPane();
        QTRY_VERIFY(pane->toPlainText().startsWith(QStringLiteral("Domain: ALPHA.COM")));
        pane->setFocus();
        QTextCursor cursor = pane->textCursor();
        cursor.setPosition(8);
        cursor.setPosition(17, QTextCursor::KeepAnchor);
        pane->setTextCursor(cursor);
        QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QByteArray("ALPHA.COM"));

        // The address of a taken name whose lookup of it failed is no address.
        Doc().GetAt(0)->m_strDNS = "Error";
        QVERIFY(!E().Enabled(ID_COPY_DOMAIN_IP));
        // A free name has no whois record worth copying, nor a website.
        List()->HighlightItem(1);
        QVERIFY(!E().Enabled(ID_COPY_DOMAIN_INFO));
        QVERIFY(!E().Enabled(ID_COPY_DOMAIN_URL));
        QVERIFY(E().Enabled(ID_COPY_DOMAIN_NAME));

        // The list's right-click menu offers the copies in its Copy popup.
        std::unique_ptr<QMenu> menu = List()->BuildContextMenu();
        QMenu* copy = nullptr;
        for (QAction* a : menu->actions())
            copy = a->menu() && a->text() == QStringLiteral("&Copy") ? a->menu() : copy;
        QVERIFY(copy);
        QStringList items;
        for (QAction* a : copy->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{QStringLiteral("&Domain Name"), QStringLiteral("Domain I&P"),
                                     QStringLiteral("&Domain Information"), QStringLiteral("Domain &URL")}));

        Doc().GetAt(1)->m_bSelected = 0;
        Doc().GetAt(2)->m_bSelected = 0;
        QVERIFY(!E().Enabled(ID_COPY_SELECTED));
    }

    void wizardOpensTheDialogItsChoiceNames()
    {
        QVERIFY(E().Enabled(ID_WIZARD));
        QStringList titles;
        bool templatesHidden = false;
        {
            CModalDriver driver([&](QWidget* top) {
                titles << top->windowTitle();
                if (titles.size() == 1) {
                    auto* type = top->findChild<QRadioButton*>(QStringLiteral("typeNames"));
                    auto* keywords = top->findChild<QRadioButton*>(QStringLiteral("keywords"));
                    QVERIFY(type && keywords);
                    QVERIFY(type->isChecked());
                    templatesHidden = top->findChild<QRadioButton*>(QStringLiteral("templates"))->isHidden() &&
                                      top->findChild<QLabel*>(QStringLiteral("templatesIcon"))->isHidden();
                    SaveShot(top, "wizard");
                    keywords->setChecked(true);
                    QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
                } else {
                    top->close();
                }
            });
            // The key the start text names.
            QVERIFY(E().Activate());
        QTest::keyClick(&E().Frame(), Qt::Key_W, Qt::ControlModifier);
            QTRY_COMPARE(titles, (QStringList{QStringLiteral("New Domain Name List"), QStringLiteral("Construct Domain Names")}));
        }
        QVERIFY(templatesHidden);

        // The first choice opens Add Names; Cancel opens nothing.
        titles.clear();
        {
            CModalDriver first([&](QWidget* top) {
                titles << top->windowTitle();
                if (titles.size() == 1)
                    QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            });
            QVERIFY(E().Registry().Execute(ID_WIZARD));
            QTRY_COMPARE(titles, (QStringList{QStringLiteral("New Domain Name List"), QStringLiteral("Domain Names")}));
        }
        titles.clear();
        {
            CModalDriver cancelled([&](QWidget* top) {
                titles << top->windowTitle();
                QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
            });
            QVERIFY(E().Registry().Execute(ID_WIZARD));
            QTest::qWait(50);
        }
        QCOMPARE(titles, QStringList{QStringLiteral("New Domain Name List")});

        // Once the list has names the wizard is not offered.
        E().Fill({"a.com"});
        QVERIFY(!E().Enabled(ID_WIZARD));
    }
};

TELVARO_GUI_TEST_MAIN(ListEditCommandsTest)
#include "ListEditCommandsTest.moc"
