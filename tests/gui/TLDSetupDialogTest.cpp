#include "FrameTestSupport.h"
#include "GuiTestMain.h"
#include "NameDialogsSupport.h"
#include "TestSupport.h"

#include "base/Settings.h"
#include "model/TLDTable.h"
#include "names/ImportWhoisDlg.h"
#include "names/TLDSetupCommand.h"
#include "names/TLDSetupDlg.h"
#include "view/TLDListCtrl.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The dialog as the user sees it, shown without a modal loop of its own.
struct CShownSetupDlg
{
    explicit CShownSetupDlg(std::function<bool()> isBusy = [] { return false; }) : m_dlg(std::move(isBusy))
    {
        m_dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_dlg));
    }

    CTLDListCtrl* List() { return m_dlg.ListCtrl(); }
    QLineEdit* Box(const char* name) { return m_dlg.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QString TLDBox() { return Box("tld")->text(); }
    QString ServerBox() { return Box("server")->text(); }
    QString Cell(int row, int column) { return List()->model()->index(row, column).data().toString(); }

    // Clicks a button and lets the list's posted notices arrive.
    void Press(const char* name)
    {
        QTest::mouseClick(m_dlg.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void ClickRow(int row)
    {
        const QModelIndex index = List()->model()->index(row, 1);
        List()->scrollTo(index);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualRect(index).center());
        QCoreApplication::processEvents();
    }
    void ClickHeader(int section)
    {
        QHeaderView* header = List()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        QCoreApplication::processEvents();
    }
    void Type(const char* box, const QString& text)
    {
        Box(box)->selectAll();
        QTest::keyClicks(Box(box), text);
    }

    CTLDSetupDlg m_dlg;
};

QByteArrayList TLDTexts()
{
    QByteArrayList texts;
    for (const auto& row : g_tldTable.m_rows)
        texts << row->m_strTLD;
    return texts;
}

}

class TLDSetupDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        QDir(GetProgramFolder()).removeRecursively();
        BuildDefaultTLDTable();
    }

    void opensWithNothingSelectedAndItsColumnsShareTheWidth()
    {
        CShownSetupDlg shown;
        QCOMPARE(shown.m_dlg.windowTitle(), QStringLiteral("Top Level Domains & WHOIS Servers"));
        QCOMPARE(shown.m_dlg.m_nCurSel, -1);
        QVERIFY(shown.TLDBox().isEmpty() && shown.ServerBox().isEmpty());
        QCOMPARE(shown.m_dlg.findChild<QLabel*>(QStringLiteral("hint"))->text(),
                 QString::fromLatin1(CTLDSetupDlg::kHint));
        QCOMPARE(shown.List()->model()->rowCount(), 12);
        QCOMPARE(shown.Cell(11, 0), QStringLiteral("12"));
        QCOMPARE(shown.Cell(3, 1), QStringLiteral("CO.UK"));
        QCOMPARE(shown.Cell(3, 2), QStringLiteral("whois.nic.uk"));

        const int half = (shown.List()->viewport()->width() - 55) / 2;
        QCOMPARE(shown.List()->columnWidth(0), 50);
        QCOMPARE(shown.List()->columnWidth(1), half - 50);
        QCOMPARE(shown.List()->columnWidth(2), half + 50);
        shown.m_dlg.resize(shown.m_dlg.width() + 100, shown.m_dlg.height());
        QCoreApplication::processEvents();
        QCOMPARE(shown.List()->columnWidth(2), (shown.List()->viewport()->width() - 55) / 2 + 50);
    }

    void movingTheSelectionCommitsAndEscapeKeepsWhatWasCommitted()
    {
        {
            CShownSetupDlg shown;
            shown.ClickRow(1);
            QCOMPARE(shown.m_dlg.m_nCurSel, 1);
            QCOMPARE(shown.TLDBox(), QStringLiteral("NET"));
            QCOMPARE(shown.ServerBox(), QStringLiteral("whois.verisign-grs.com"));
            shown.Type("tld", QStringLiteral("Net2"));
            shown.Type("server", QStringLiteral("Whois.Example:4343"));
            QCOMPARE(g_tldTable.GetAt(1)->m_strTLD, QByteArray("NET"));   // not before the move

            shown.ClickRow(2);
            QCOMPARE(g_tldTable.GetAt(1)->m_strTLD, QByteArray("Net2"));   // as typed, no checks
            QCOMPARE(g_tldTable.GetAt(1)->m_strServer, QByteArray("Whois.Example:4343"));
            QCOMPARE(shown.Cell(1, 1), QStringLiteral("Net2"));
            QCOMPARE(GetWhoisServer("a.net2"), QByteArray("Whois.Example:4343"));
            QCOMPARE(FindTLD("a.net"), nullptr);
            QCOMPARE(shown.TLDBox(), QStringLiteral("ORG"));

            // Typed but never committed: Escape drops it.
            shown.Type("tld", QStringLiteral("lost"));
            QTest::keyClick(shown.Box("tld"), Qt::Key_Escape);
            QVERIFY(!shown.m_dlg.isVisible());
            QCOMPARE(shown.m_dlg.result(), int(QDialog::Rejected));
            QVERIFY(!shown.m_dlg.WantsReopen());
        }
        QCOMPARE(g_tldTable.GetAt(2)->m_strTLD, QByteArray("ORG"));
        QCOMPARE(g_tldTable.GetAt(1)->m_strTLD, QByteArray("Net2"));
        QVERIFY(!QFile::exists(GetTLDFilePath()));   // only Close saves
    }

    void deletingTheEditedRowLoadsTheNextWithoutItsTexts()
    {
        CShownSetupDlg shown;
        shown.ClickRow(3);
        shown.Type("tld", QStringLiteral("EDITED"));
        shown.Type("server", QStringLiteral("edited.example"));
        shown.Press("delete");
        QCOMPARE(g_tldTable.GetSize(), 11);
        QCOMPARE(FindTLD("a.co.uk"), nullptr);
        QCOMPARE(shown.m_dlg.m_nCurSel, 3);
        QCOMPARE(shown.TLDBox(), QStringLiteral("NET.UK"));
        QCOMPARE(shown.ServerBox(), QStringLiteral("whois.nic.uk"));
        QVERIFY(!TLDTexts().contains("EDITED"));
        QCOMPARE(shown.Cell(3, 0), QStringLiteral("4"));   // numbered anew
        QCOMPARE(shown.Cell(10, 0), QStringLiteral("11"));
        // Its move to the next row commits nothing of the deleted one.
        shown.ClickRow(4);
        QCOMPARE(g_tldTable.GetAt(3)->m_strTLD, QByteArray("NET.UK"));

        // The last row of the list: the editing moves up.
        shown.ClickRow(10);
        shown.Press("delete");
        QCOMPARE(shown.m_dlg.m_nCurSel, 9);
        QCOMPARE(shown.TLDBox(), QStringLiteral("NET.AU"));
    }

    void deletingTheLastRemainingRowEmptiesTheBoxes()
    {
        while (g_tldTable.GetSize() > 1)
            g_tldTable.RemoveAt(1);
        CShownSetupDlg shown;
        shown.ClickRow(0);
        QCOMPARE(shown.TLDBox(), QStringLiteral("COM"));
        shown.Press("delete");
        QCOMPARE(g_tldTable.GetSize(), 0);
        QCOMPARE(shown.List()->model()->rowCount(), 0);
        QCOMPARE(shown.m_dlg.m_nCurSel, -1);
        QVERIFY(shown.TLDBox().isEmpty() && shown.ServerBox().isEmpty());
        // Nothing left to delete, and typed text goes nowhere.
        shown.Type("tld", QStringLiteral("orphan"));
        shown.Press("delete");
        shown.Press("close");
        QCOMPARE(g_tldTable.GetSize(), 0);
        (void)LoadTLDTable();
        QCOMPARE(g_tldTable.GetSize(), 0);   // an empty table is saved as such
    }

    void addNewTLDTwiceGivesOneRow()
    {
        CShownSetupDlg shown;
        shown.ClickRow(0);
        shown.Press("add");
        QCOMPARE(g_tldTable.GetSize(), 13);
        QCOMPARE(g_tldTable.GetAt(12)->m_strTLD, QByteArray("xxx"));
        QCOMPARE(g_tldTable.GetAt(12)->m_strServer, QByteArray("xxx.xx.xx"));
        QCOMPARE(g_tldTable.GetAt(12)->m_bSelected, uint8_t(0));
        QCOMPARE(shown.m_dlg.m_nCurSel, 12);
        QCOMPARE(shown.List()->GetHighlightedItem(), 12);
        QCOMPARE(shown.TLDBox(), QStringLiteral("xxx"));
        QCOMPARE(shown.Cell(12, 0), QStringLiteral("13"));

        // A second press resets the placeholder's server instead of adding.
        shown.Type("server", QStringLiteral("whois.nic.xxx"));
        shown.Press("add");
        QCOMPARE(g_tldTable.GetSize(), 13);
        QCOMPARE(g_tldTable.GetAt(12)->m_strServer, QByteArray("xxx.xx.xx"));
        QCOMPARE(shown.ServerBox(), QStringLiteral("xxx.xx.xx"));
        QCOMPARE(shown.Cell(12, 2), QStringLiteral("xxx.xx.xx"));
    }

    void theNumberHeaderDoesNothingAndTheTLDHeaderSortsAndReopens()
    {
        QList<QByteArrayList> shownTables;
        CModalDriver driver([&](QWidget* window) {
            auto* dlg = qobject_cast<CTLDSetupDlg*>(window);
            QVERIFY(dlg);
            QByteArrayList texts;
            for (int i = 0; i < dlg->ListCtrl()->model()->rowCount(); ++i)
                texts << dlg->ListCtrl()->model()->index(i, 1).data().toString().toLatin1();
            shownTables << texts;
            if (shownTables.size() > 1) {
                dlg->reject();
                return;
            }
            QHeaderView* header = dlg->ListCtrl()->header();
            auto click = [&](int section) {
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
                QCoreApplication::processEvents();
            };
            click(0);
            QVERIFY(dlg->isVisible());
            QCOMPARE(TLDTexts().first(), QByteArray("COM"));
            click(1);
            QVERIFY(!dlg->isVisible());
        });
        OnSetupDomains([] { return false; }, nullptr);
        QCOMPARE(shownTables.size(), 2);
        const QByteArrayList sorted = {"CC", "HK", "NU", "COM", "NET", "ORG", "CO.UK", "COM.AU", "LTD.UK",
                                       "NET.AU", "NET.UK", "ORG.UK"};
        QCOMPARE(TLDTexts(), sorted);
        QCOMPARE(shownTables[1], sorted);   // reopened on the new order
        QCOMPARE(FindTLD("a.com")->m_strTLD, QByteArray("COM"));
    }

    void resetIsRefusedWhileBusyAndAsksFirst()
    {
        bool busy = true;
        g_tldTable.Add(std::make_shared<CTLDInfo>("IO", "whois.nic.io"));
        QVERIFY(SaveTLDTable());
        CShownSetupDlg shown([&busy] { return busy; });
        {
            CMessageBoxAnswerer answerer{QMessageBox::Ok};
            shown.Press("reset");
            QTRY_COMPARE(answerer.m_texts, QStringList{QString::fromLatin1(CTLDSetupDlg::kResetRefused)});
        }
        QVERIFY(shown.m_dlg.isVisible());
        QCOMPARE(g_tldTable.GetSize(), 13);

        busy = false;
        {
            CMessageBoxAnswerer answerer{QMessageBox::No};
            shown.Press("reset");
            QTRY_COMPARE(answerer.m_texts, QStringList{QString::fromLatin1(CTLDSetupDlg::kResetQuestion)});
        }
        QVERIFY(shown.m_dlg.isVisible());
        QCOMPARE(g_tldTable.GetSize(), 13);
        QVERIFY(QFile::exists(GetTLDFilePath()));
        {
            CMessageBoxAnswerer answerer{QMessageBox::Yes};
            shown.Press("reset");
            QTRY_VERIFY(!shown.m_dlg.isVisible());
        }
        QVERIFY(shown.m_dlg.WantsReopen());
        QCOMPARE(g_tldTable.GetSize(), 12);
        QVERIFY(!QFile::exists(GetTLDFilePath()));
    }

    void closeSavesAndForgetsResolvedAddressesUnlessBusy()
    {
        auto entry = std::make_shared<CHostEntry>();
        for (bool busy : {false, true}) {
            BuildDefaultTLDTable();
            g_tldTable.GetAt(0)->m_pHostEnt->Set(entry);
            CModalDriver driver([](QWidget* window) {
                auto* dlg = qobject_cast<CTLDSetupDlg*>(window);
                QVERIFY(dlg);
                dlg->ListCtrl()->HighlightItem(0);
                QCoreApplication::processEvents();
                auto* server = dlg->findChild<QLineEdit*>(QStringLiteral("server"));
                server->setText(QStringLiteral("127.0.0.1:4343"));
                // Enter presses Close, which takes the box first.
                QTest::keyClick(server, Qt::Key_Return);
                QVERIFY(!dlg->isVisible());
            });
            OnSetupDomains([busy] { return busy; }, nullptr);
            QCOMPARE(g_tldTable.GetAt(0)->IsResolved(), busy);
            QCOMPARE(driver.m_messages.size(), busy ? 1 : 0);
            if (busy)
                QVERIFY(driver.m_messages[0].startsWith(QStringLiteral("A connection to the whois server is in progress.")));
            (void)LoadTLDTable();
            QCOMPARE(g_tldTable.GetAt(0)->m_strServer, QByteArray("127.0.0.1:4343"));
            QFile::remove(GetTLDFilePath());
        }
    }

    void importTakesTheChosenFileAndSelectsTheLastNewRow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("servers.txt"));
        WriteFile(path, "  Co.UK :  WHOIS.Example.UK \r\nno colon\r\n: nothing\r\nio: whois.nic.io\r\nDe:whois.denic.de\r\n");
        Settings::ImportPathTxt.Set(dir.path() + QStringLiteral("/*.TXT"));
        CShownSetupDlg shown;
        shown.ClickRow(3);
        shown.Type("server", QStringLiteral("typed.example"));
        QStringList explanations;
        QStringList starts;
        CModalDriver driver([&](QWidget* window) {
            if (auto* files = qobject_cast<QFileDialog*>(window)) {
                starts << files->directory().absolutePath();
                auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                edit->setText(path);
                QTest::keyClick(edit, Qt::Key_Return);
                return;
            }
            auto* import = qobject_cast<CImportWhoisDlg*>(window);
            QVERIFY(import);
            QCOMPARE(import->windowTitle(), QStringLiteral("Import WHOIS Servers"));
            explanations << import->findChild<QPlainTextEdit*>()->toPlainText();
            QTest::keyClick(import->findChild<QPushButton*>(QStringLiteral("import")), Qt::Key_Return);
            QVERIFY(!import->isVisible());
        });
        shown.Press("import");
        QTRY_COMPARE(driver.m_nSteps, 2);
        QCOMPARE(starts, QStringList{QDir(dir.path()).absolutePath()});
        QCOMPARE(explanations.size(), 1);
        QVERIFY(explanations[0].startsWith(QStringLiteral("To import TLD names and corresponding 'whois' servers")));
        QVERIFY(explanations[0].contains(QStringLiteral("\ntld: whois server\n")));
        QVERIFY(explanations[0].contains(QStringLiteral("wholist.txt")));

        // The edited row was committed first, then took the file's server.
        QCOMPARE(g_tldTable.GetAt(3)->m_strTLD, QByteArray("CO.UK"));
        QCOMPARE(g_tldTable.GetAt(3)->m_strServer, QByteArray("whois.example.uk"));
        QCOMPARE(TLDTexts().mid(12), (QByteArrayList{"IO", "DE"}));
        QCOMPARE(shown.List()->model()->rowCount(), 14);
        QCOMPARE(shown.Cell(3, 2), QStringLiteral("whois.example.uk"));
        QCOMPARE(shown.m_dlg.m_nCurSel, 13);
        QCOMPARE(shown.TLDBox(), QStringLiteral("DE"));
        QCOMPARE(shown.ServerBox(), QStringLiteral("whois.denic.de"));
        QVERIFY(!QFile::exists(GetTLDFilePath()));   // in memory until Close
    }

    void importCancelledOrWithoutAFileChangesNothing()
    {
        CShownSetupDlg shown;
        {
            CModalDriver driver([](QWidget* window) {
                QVERIFY(qobject_cast<CImportWhoisDlg*>(window));
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
            });
            shown.Press("import");
            QTRY_COMPARE(driver.m_nSteps, 1);
        }
        QCOMPARE(g_tldTable.GetSize(), 12);

        // No file chosen: the import dialog still ends with OK, and the
        // import finds no lines.
        CModalDriver driver([](QWidget* window) {
            if (auto* files = qobject_cast<QFileDialog*>(window)) {
                // Where the sample file is, until the user imports from elsewhere.
                QCOMPARE(QDir(files->directory()).absolutePath() + QLatin1Char('/'), GetProgramFolder());
                files->reject();
                return;
            }
            QVERIFY(qobject_cast<CImportWhoisDlg*>(window));
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("import")), Qt::LeftButton);
        });
        shown.ClickRow(0);
        shown.Press("import");
        QTRY_COMPARE(driver.m_nSteps, 2);
        QCOMPARE(g_tldTable.GetSize(), 12);
        QCOMPARE(shown.TLDBox(), QStringLiteral("COM"));
        QVERIFY(Settings::ImportPathTxt.Get().isEmpty());
    }
};

TELVARO_GUI_TEST_MAIN(TLDSetupDialogTest)
#include "TLDSetupDialogTest.moc"
