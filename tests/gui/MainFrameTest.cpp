#include "FrameTestSupport.h"
#include "GuiTestMain.h"
#include "LoopbackWhoisServer.h"
#include "TestSupport.h"

#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/AboutDlg.h"
#include "commands/CommandId.h"
#include "commands/CommandProxy.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "shell/FileCommands.h"
#include "widgets/HelpWindow.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "shell/StatusProgress.h"
#include "base/UserMessage.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/PictureButton.h"
#include "view/ViewPanes.h"

#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>

#include <memory>

class MainFrameTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CDomainDoc> m_pDoc;
    std::unique_ptr<CRecentFileList> m_pRecent;
    std::unique_ptr<CMainFrame> m_pFrame;
    QStringList m_errors;
    QString m_openAnswer;
    QString m_saveAnswer;
    QStringList m_saveSuggestions;

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    CCommandRegistry& Registry() const { return *m_pFrame->Registry(); }

    void MakeFrame()
    {
        m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), m_pRecent.get());
        m_pFrame->FileCommands()->SetPrompts({[this](QWidget*, const QString&) { return m_openAnswer; },
                                              [this](QWidget*, const QString& suggested) {
                                                  m_saveSuggestions << suggested;
                                                  return m_saveAnswer;
                                              }});
        m_pFrame->show();
    }

    // The recent-file entries of the File menu, in order.
    QList<QAction*> RecentFileActions() const
    {
        QList<QAction*> found;
        for (QAction* top : m_pFrame->menuBar()->actions()) {
            if (top->text() != QLatin1String("&File"))
                continue;
            for (QAction* item : top->menu()->actions()) {
                const int id = item->data().toInt();
                if (id >= ID_FILE_MRU_FILE1.m_nValue && id <= ID_FILE_MRU_LAST.m_nValue)
                    found << item;
            }
        }
        return found;
    }

private Q_SLOTS:
    void initTestCase() { SetUserMessageHandler([this](const QString& text) { m_errors << text; }); }

    void init()
    {
        QSettings().clear();
        (void)LoadTLDTable();
        m_errors.clear();
        m_openAnswer.clear();
        m_saveAnswer.clear();
        m_saveSuggestions.clear();
        m_pDoc = std::make_unique<CDomainDoc>();
        m_pDoc->OnNewDocument();
        m_pRecent = std::make_unique<CRecentFileList>(4);
        MakeFrame();
    }

    void cleanup()
    {
        m_pFrame.reset();
        m_pRecent.reset();
        m_pDoc.reset();
    }

    void closingAModifiedListAsksToSave_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("viaExit");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("namesOnDisk");
        QTest::newRow("Yes saves") << int(QMessageBox::Yes) << false << true << 2;
        QTest::newRow("No discards") << int(QMessageBox::No) << false << true << 1;
        QTest::newRow("Cancel keeps the window") << int(QMessageBox::Cancel) << false << false << 1;
        QTest::newRow("Exit asks too") << int(QMessageBox::Cancel) << true << false << 1;
    }

    void closingAModifiedListAsksToSave()
    {
        QFETCH(int, answer);
        QFETCH(bool, viaExit);
        QFETCH(bool, closes);
        QFETCH(int, namesOnDisk);
        const QString path = Path("list.qzn");
        QVERIFY(WriteListFile(path, {"a.com"}));
        QVERIFY(m_pFrame->FileCommands()->OpenDocumentFile(path));
        QVERIFY(m_pDoc->AddDomain("b.com"));
        QSignalSpy closed(m_pFrame.get(), &CMainFrame::Closed);

        CMessageBoxAnswerer answerer{QMessageBox::StandardButton(answer)};
        if (viaExit)
            QVERIFY(Registry().Execute(ID_APP_EXIT));
        else
            QCOMPARE(m_pFrame->close(), closes);

        QCOMPARE(answerer.m_texts, QStringList{QStringLiteral("Save changes to %1?").arg(path)});
        QCOMPARE(closed.count(), closes ? 1 : 0);
        QCOMPARE(m_pFrame->isVisible(), !closes);
        CDomainDoc reread;
        QVERIFY(reread.OnOpenDocument(path).IsOk());
        QCOMPARE(reread.GetCount(), namesOnDisk);
    }

    void closingAnUnchangedListAsksNothing()
    {
        CMessageBoxAnswerer answerer;
        QVERIFY(m_pFrame->close());
        QVERIFY(answerer.m_texts.isEmpty());
    }

    void aFailedSaveCancelsTheClose()
    {
        QVERIFY(m_pDoc->AddDomain("a.com"));
        m_pDoc->SetPathName(Path("no-such-folder/list.qzn"));
        CMessageBoxAnswerer answerer{QMessageBox::Yes};
        QVERIFY(!m_pFrame->close());
        QVERIFY(m_pFrame->isVisible());
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_pDoc->IsModified());
    }

    void savingAnUntitledListOnCloseAsksForAName()
    {
        QVERIFY(m_pDoc->AddDomain("a.com"));
        {
            CMessageBoxAnswerer answerer{QMessageBox::Yes};
            QVERIFY(!m_pFrame->close());   // the name dialog was cancelled
        }
        QCOMPARE(m_saveSuggestions.size(), 1);
        QVERIFY(m_saveSuggestions[0].endsWith(QLatin1String("/Untitled.qzn")));

        m_saveAnswer = Path("named.qzn");
        CMessageBoxAnswerer answerer{QMessageBox::Yes};
        QVERIFY(m_pFrame->close());
        QVERIFY(QFile::exists(m_saveAnswer));
        QCOMPARE(m_pRecent->GetAt(0), m_saveAnswer);
    }

    void newAndOpenAskBeforeReplacingAChangedList()
    {
        const QString other = Path("other.qzn");
        QVERIFY(WriteListFile(other, {"x.com", "y.com", "z.com"}));
        QVERIFY(m_pDoc->AddDomain("a.com"));
        {
            CMessageBoxAnswerer answerer{QMessageBox::Cancel, QMessageBox::Cancel};
            QVERIFY(Registry().Execute(ID_FILE_NEW));
            m_openAnswer = other;
            QVERIFY(Registry().Execute(ID_FILE_OPEN));
            QCOMPARE(answerer.m_texts.size(), 2);
        }
        QCOMPARE(m_pDoc->GetCount(), 1);

        CMessageBoxAnswerer answerer{QMessageBox::No};
        QVERIFY(Registry().Execute(ID_FILE_OPEN));
        QCOMPARE(m_pDoc->GetCount(), 3);
        QVERIFY(!m_pDoc->IsModified());
        QCOMPARE(m_pFrame->GetView()->GetListCtrl()->model()->rowCount(), 3);
    }

    void titleFollowsTheDocumentAndMarksUnsavedChanges()
    {
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("Untitled - Telvaro"));
        QVERIFY(m_pDoc->AddDomain("a.com"));
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("Untitled* - Telvaro"));
        m_saveAnswer = Path("names.qzn");
        QVERIFY(Registry().Execute(ID_FILE_SAVE));
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("names.qzn - Telvaro"));
        m_pDoc->SetSelected(0, 1);
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("names.qzn* - Telvaro"));
        QVERIFY(Registry().Execute(ID_FILE_SAVE));
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("names.qzn - Telvaro"));
        QVERIFY(Registry().Execute(ID_FILE_NEW));
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("Untitled - Telvaro"));
        m_openAnswer = m_saveAnswer;
        QVERIFY(Registry().Execute(ID_FILE_OPEN));
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("names.qzn - Telvaro"));

        // A "[*]" of the file's own name is not taken for the mark.
        m_saveAnswer = Path("odd[*].qzn");
        QVERIFY(Registry().Execute(ID_FILE_SAVE_AS));
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("odd[*].qzn - Telvaro"));
        m_pDoc->SetSelected(0, 0);
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("odd[*].qzn* - Telvaro"));
    }

    void squeezingTheWindowLeavesRoomForTheListAndTheButtons()
    {
        QVERIFY(m_pDoc->AddDomain("a.com"));
        m_pDoc->NotifyListRebuilt();
        m_pFrame->resize(240, 160);
        QCoreApplication::processEvents();
        const CDomainView* view = m_pFrame->GetView();
        const CViewPanes panes = CViewPanes::Compute(view->size());
        for (const CPictureButton* button : {view->GetSupportButton(), view->GetRegisterButton()})
            QVERIFY(panes.m_rcButtons.contains(button->geometry()));
        const CDomainListCtrl* list = view->GetListCtrl();
        QVERIFY(list->viewport()->height() >= 4 * list->visualRect(list->model()->index(0, 0)).height());
    }

    void aDamagedListIsNeverSavedOverItsFile()
    {
        const QString path = Path("damaged.qzn");
        QVERIFY(WriteListFile(path, {"a.com", "b.com", "c.com"}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() - 5));
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray damaged = file.readAll();
        file.close();

        QVERIFY(m_pFrame->FileCommands()->OpenDocumentFile(path));
        QCOMPARE(m_errors.size(), 1);
        QCOMPARE(m_pDoc->GetCount(), 2);
        QVERIFY(m_pDoc->AddDomain("d.com"));

        QVERIFY(Registry().Execute(ID_FILE_SAVE));   // name dialog cancelled
        QCOMPARE(m_saveSuggestions, QStringList{Path("damaged (recovered).qzn")});
        QVERIFY(m_pDoc->IsModified());

        m_saveAnswer = Path("damaged (recovered).qzn");
        QVERIFY(Registry().Execute(ID_FILE_SAVE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), damaged);
        QCOMPARE(m_pDoc->GetPathName(), m_saveAnswer);
        QCOMPARE(ShownTitle(*m_pFrame), QStringLiteral("damaged (recovered).qzn - Telvaro"));
        QVERIFY(Registry().Execute(ID_FILE_SAVE));   // a sound file now: saved without asking
        QCOMPARE(m_saveSuggestions.size(), 2);
    }

    void recentFilesReopenFromTheFileMenu()
    {
        QStringList paths;
        for (const char* name : {"one.qzn", "two.qzn", "three.qzn", "four.qzn", "five.qzn"}) {
            QVERIFY(m_pDoc->AddDomain(QByteArray(name).replace(".qzn", ".com")));
            m_saveAnswer = Path(name);
            QVERIFY(Registry().Execute(ID_FILE_SAVE_AS));
            paths.prepend(m_saveAnswer);
        }
        QCOMPARE(m_pRecent->Paths(), paths.mid(0, 4));
        QTRY_COMPARE(RecentFileActions().size(), 4);
        QVERIFY(RecentFileActions()[2]->text().startsWith(QLatin1String("&3 ")));
        QVERIFY(RecentFileActions()[2]->text().endsWith(QLatin1String("three.qzn")));

        RecentFileActions()[2]->trigger();
        QTRY_COMPARE(m_pDoc->GetPathName(), paths[2]);
        QCOMPARE(m_pDoc->GetCount(), 3);
        QTRY_COMPARE(m_pRecent->GetAt(0), paths[2]);

        // A file that went away is reported and leaves the list.
        QVERIFY(QFile::remove(paths[1]));
        QTRY_VERIFY(RecentFileActions().size() == 4 && RecentFileActions()[2]->text().endsWith(QLatin1String("four.qzn")));
        RecentFileActions()[2]->trigger();
        QTRY_COMPARE(m_errors.size(), 1);
        QVERIFY(m_errors[0].contains(paths[1]));
        QVERIFY(!m_pRecent->Paths().contains(paths[1]));
        QTRY_COMPARE(RecentFileActions().size(), 3);
        QCOMPARE(m_pDoc->GetPathName(), paths[2]);
    }

    void acceleratorsReachEveryCommand()
    {
        QCOMPARE(Registry().Find(ID_LOOKUP_SELECTED)->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::Key_F5)});
        QCOMPARE(Registry().Find(ID_CHECK_AVAILABILITY)->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::Key_F4)});
        QCOMPARE(Registry().Find(ID_ADD_DOMAINS)->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_A)});
        // A command registered later gets its keys as well.
        Registry().Register(ID_FIND, [] {});
        QCOMPARE(Registry().Find(ID_FIND)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)}));

        QVERIFY(QTest::qWaitForWindowActive(m_pFrame.get()));
        int copies = 0;
        Registry().Register(ID_COPY_ALL, [&copies] { ++copies; });
        m_pFrame->GetView()->GetListCtrl()->setFocus();
        QTest::keyClick(m_pFrame.get(), Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(copies, 1);

        // F6 moves between the panes and Shift+F6 back.
        QVERIFY(Registry().Execute(ID_NEXT_PANE));
        QVERIFY(QApplication::focusWidget() != m_pFrame->GetView()->GetListCtrl());
        QVERIFY(Registry().Execute(ID_PREV_PANE));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_pFrame->GetView()->GetListCtrl()));
    }

    void helpOpensItsTopics()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_pFrame.get()));
        QTest::keyClick(m_pFrame.get(), Qt::Key_F1);
        CHelpWindow* help = m_pFrame->HelpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->CurrentTopic(), QStringLiteral("index.htm"));
        QCOMPARE(help->Browser()->documentTitle(), QStringLiteral("Welcome to Telvaro"));

        QVERIFY(Registry().Execute(ID_HELP_TOPICS));
        QCOMPARE(m_pFrame->HelpWindow(), help);
        QCOMPARE(help->CurrentTopic(), QStringLiteral("qzn-1.htm"));
        for (CommandId id : {ID_HELP_FINDER, ID_CONTEXT_HELP, ID_DEFAULT_HELP}) {
            QVERIFY(Registry().Execute(id));
            QCOMPARE(help->CurrentTopic(), QStringLiteral("index.htm"));
        }
        // The help goes with the window.
        QVERIFY(m_pFrame->close());
        QVERIFY(!help->isVisible());
    }

    void everyHelpLinkLeadsToAPage()
    {
        const QDir pages(QStringLiteral(":/help"));
        const QStringList files = pages.entryList({QStringLiteral("*.htm")});
        QVERIFY(files.size() >= 8);
        const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
        for (const QString& name : files) {
            QFile page(pages.filePath(name));
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(page.readAll());
            QVERIFY2(html.contains(QLatin1String("<title>")), qPrintable(name));
            for (const auto& m : href.globalMatch(html)) {
                const QString target = m.captured(1);
                if (!target.contains(QLatin1Char(':')))
                    QVERIFY2(pages.exists(target), qPrintable(name + QStringLiteral(" -> ") + target));
            }
        }
    }

    void barsKeepTheirStateAcrossRuns()
    {
        QVERIFY(Registry().Execute(ID_VIEW_TOOLBAR));
        QVERIFY(Registry().Execute(ID_VIEW_STATUS_BAR));
        QVERIFY(!Registry().Find(ID_VIEW_TOOLBAR)->isChecked());
        QVERIFY(m_pFrame->close());
        MakeFrame();
        QVERIFY(m_pFrame->ToolBar()->isHidden());
        QVERIFY(m_pFrame->statusBar()->isHidden());
        QVERIFY(!Registry().Find(ID_VIEW_STATUS_BAR)->isChecked());
        QVERIFY(Registry().Execute(ID_VIEW_TOOLBAR));
        QVERIFY(m_pFrame->ToolBar()->isVisible());
    }

    void toolbarButtonsShowPicturesPromptsAndTips()
    {
        int buttons = 0;
        for (QAction* action : m_pFrame->ToolBar()->actions()) {
            if (action->isSeparator())
                continue;
            ++buttons;
            const QImage picture = action->icon().pixmap(18, 18).toImage();
            QVERIFY2(!picture.isNull() && picture.pixelColor(9, 9).alpha() + picture.pixelColor(4, 12).alpha() > 0,
                     qPrintable(action->toolTip()));
            const CommandId id = static_cast<CCommandProxy*>(action)->Id();
            QCOMPARE(action->statusTip(), CommandPrompt(id));
            QVERIFY(action->toolTip().startsWith(CommandTooltip(id)));
        }
        QVERIFY(buttons >= 6);
        QCOMPARE(m_pFrame->statusBar()->findChild<QLabel*>()->text(), QStringLiteral("Press F1 for Help"));
    }

    void statusBarShowsLookupProgress()
    {
        CLoopbackWhoisServer server(CWhoisBehaviour::Delay(std::chrono::milliseconds(200), "No match for x"));
        g_tldTable.GetAt(0)->m_strServer = QByteArray::fromStdString(server.Address());
        for (const char* name : {"a.com", "b.com", "c.com"}) {
            QVERIFY(m_pDoc->AddDomain(name));
            m_pDoc->SetSelected(m_pDoc->GetCount() - 1, 1);
        }
        CStatusProgress* progress = m_pFrame->StatusProgress();
        QVERIFY(progress->isHidden());
        QStringList seen;
        const auto watch = connect(m_pFrame->GetScheduler(), &CLookupScheduler::LookupFinished, this,
                                   [&] { seen << progress->Text(); });

        QVERIFY(Registry().Execute(ID_LOOKUP_SELECTED));
        QCOMPARE(progress->Text(), QStringLiteral("0 of 3 names looked up"));
        CLookupScheduler* scheduler = m_pFrame->GetScheduler();
        QVERIFY(ProcessEventsUntil([&] {
            scheduler->OnTimer();
            return !scheduler->IsBusy();
        }));
        disconnect(watch);
        QVERIFY2(seen.contains(QStringLiteral("1 of 3 names looked up")), qPrintable(seen.join(QLatin1Char('|'))));
        QVERIFY(progress->isHidden());
    }

    void aboutShowsTheProgramAndItsVersion()
    {
        CAboutDlg about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Telvaro"));
        QCOMPARE(about.TitleLabel()->text(), QStringLiteral("Telvaro"));
        QVERIFY(about.TitleLabel()->font().bold());
        QCOMPARE(about.TitleLabel()->font().pixelSize(), 18);
        QCOMPARE(about.VersionLabel()->text(), QStringLiteral("Version 2.1.1732 (Free)"));

        CMessageBoxAnswerer answerer;
        QVERIFY(Registry().Execute(ID_APP_ABOUT));
        QCOMPARE(answerer.m_dialogTitles, QStringList{QStringLiteral("About Telvaro")});
    }
};

TELVARO_GUI_TEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
