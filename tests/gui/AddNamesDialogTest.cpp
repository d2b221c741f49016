#include "GuiTestMain.h"
#include "NameDialogsSupport.h"
#include "names/DomainNamesDlg.h"
#include "names/NameCommands.h"
#include "names/TLDCheckListBox.h"
#include "names/TLDItemDelegate.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "base/Settings.h"
#include "base/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

QByteArrayList TickedTLDsInFile()
{
    (void)LoadTLDTable();
    QByteArrayList ticked;
    for (const auto& row : g_tldTable.m_rows) {
        if (row->m_bSelected)
            ticked << row->m_strTLD;
    }
    return ticked;
}

// How many pixels of the picture have exactly this colour.
int CountPixels(const QImage& image, QColor color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).rgb() == color.rgb();
    }
    return n;
}

}

class AddNamesDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_state = std::make_unique<CNameTestState>(); }

    void typedNamesGoInWithTheTickedTLDsInTableOrder()
    {
        CModalDriver driver([](QWidget* window) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(window);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Domain Names"));
            auto* names = dlg->findChild<QPlainTextEdit*>(QStringLiteral("names"));
            QVERIFY(names->hasFocus());
            QVERIFY(names->toPlainText().isEmpty());
            QTest::keyClicks(names, QStringLiteral("shop"));
            QTest::keyClick(names, Qt::Key_Return); // a line break, not OK
            QVERIFY(dlg->isVisible());
            QTest::keyClicks(names, QStringLiteral("a.com, b.NET;c.org Shop.COM"));

            // Tick NET with the keyboard: Tab across to the list, down, space.
            auto* list = dlg->findChild<CTLDCheckListBox*>(QStringLiteral("tldList"));
            QCOMPARE(list->count(), 12);
            for (int i = 0; i < 4 && !list->hasFocus(); ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(list->hasFocus());
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Space);
            QVERIFY(list->GetCheck(1));
            // Enter outside the names box presses OK.
            QTest::keyClick(list, Qt::Key_Return);
            QVERIFY(!dlg->isVisible());
        });
        OnAddDomains(m_state->m_doc, nullptr);
        QCOMPARE(driver.m_nSteps, 1);
        QCOMPARE(m_state->Names(),
                 QByteArrayList({"shop.COM", "shop.NET", "a.com", "b.NET", "c.org"}));
        QCOMPARE(m_state->m_changes.Changes(), QStringList{QStringLiteral("rebuilt")});
        QVERIFY(driver.m_messages.isEmpty());
        QCOMPARE(TickedTLDsInFile(), QByteArrayList({"COM", "NET"}));
    }

    void emptyBoxKeepsTheDialogOpenButSavesTheTicks()
    {
        CModalDriver* pDriver = nullptr;
        CModalDriver driver([&pDriver](QWidget* window) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(window);
            QVERIFY(dlg);
            auto* list = dlg->findChild<CTLDCheckListBox*>(QStringLiteral("tldList"));
            auto* ok = dlg->findChild<QPushButton*>(QStringLiteral("ok"));
            list->SetCheck(0, false);
            list->SetCheck(2, true);
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(pDriver->m_messages,
                     QStringList{QString::fromLatin1(CDomainNamesDlg::kNoNamesMessage)});
            QVERIFY(dlg->isVisible());
            QCOMPARE(TickedTLDsInFile(), QByteArrayList{"ORG"});

            // Separators alone name nothing either.
            QTest::keyClicks(dlg->findChild<QPlainTextEdit*>(QStringLiteral("names")), QStringLiteral(" ,;"));
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(pDriver->m_messages.size(), 2);
            QVERIFY(dlg->isVisible());
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
        });
        pDriver = &driver;
        OnAddDomains(m_state->m_doc, nullptr);
        QCOMPARE(m_state->m_doc.GetCount(), 0);
        // Cancel takes back nothing that OK had already stored.
        QCOMPARE(TickedTLDsInFile(), QByteArrayList{"ORG"});
    }

    void cancelStoresNothing()
    {
        CModalDriver driver([](QWidget* window) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(window);
            QVERIFY(dlg);
            dlg->findChild<CTLDCheckListBox*>(QStringLiteral("tldList"))->SetCheck(1, true);
            QTest::keyClicks(dlg->findChild<QPlainTextEdit*>(QStringLiteral("names")), QStringLiteral("shop"));
            QTest::keyClick(dlg, Qt::Key_Escape);
            QVERIFY(!dlg->isVisible());
        });
        OnAddDomains(m_state->m_doc, nullptr);
        QCOMPARE(m_state->m_doc.GetCount(), 0);
        QVERIFY(m_state->m_changes.IsEmpty());
        QVERIFY(!g_tldTable.GetAt(1)->m_bSelected);
        QVERIFY(!QFile::exists(GetTLDFilePath()));
    }

    void importReplacesTheBoxAndRemembersTheFolder()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.txt"));
        const QString second = dir.filePath(QStringLiteral("second.TXT"));
        WriteFile(first, "a.com\r\nb.com\r\n");
        WriteFile(second, "caf\xe9\r\nshop");
        QStringList starts;

        CModalDriver driver([&](QWidget* window) {
            if (auto* files = qobject_cast<QFileDialog*>(window)) {
                starts << files->directory().absolutePath();
                // Type the path, as a user may, and press Enter.
                auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(edit);
                edit->setText(m_nextImport);
                QTest::keyClick(edit, Qt::Key_Return);
                QVERIFY(!files->isVisible());
                return;
            }
            auto* dlg = qobject_cast<CDomainNamesDlg*>(window);
            QVERIFY(dlg);
            auto* names = dlg->findChild<QPlainTextEdit*>(QStringLiteral("names"));
            auto* import = dlg->findChild<QPushButton*>(QStringLiteral("import"));
            QTest::keyClicks(names, QStringLiteral("typed.com"));
            m_nextImport = first;
            QTest::mouseClick(import, Qt::LeftButton);
            QCOMPARE(names->toPlainText(), QStringLiteral("a.com\nb.com\n"));
            QCOMPARE(Settings::ImportPathTxt.Get(), dir.path() + QStringLiteral("/*.TXT"));
            m_nextImport = second;
            QTest::mouseClick(import, Qt::LeftButton);
            QCOMPARE(names->toPlainText(), QStringLiteral("caf\u00e9\nshop"));

            // A file that cannot be read leaves the text and says why.
            QVERIFY(!dlg->ImportFile(dir.filePath(QStringLiteral("missing.txt"))));
            QCOMPARE(names->toPlainText(), QStringLiteral("caf\u00e9\nshop"));
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        OnAddDomains(m_state->m_doc, nullptr);
        // The second import starts where the first one ended.
        QCOMPARE(starts, QStringList({QDir::homePath(), QDir(dir.path()).absolutePath()}));
        QCOMPARE(driver.m_messages.size(), 1);
        QVERIFY(driver.m_messages[0].contains(QStringLiteral("missing.txt")));
        // The 8-bit name came through unchanged and was refused as invalid.
        QCOMPARE(m_state->Names(), QByteArrayList{"shop.COM"});
    }

    void aFullListTellsHowManyNamesItDropped()
    {
        m_state->m_doc.m_nMaxEntries = 3;
        CModalDriver driver([](QWidget* window) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(window);
            QVERIFY(dlg);
            QTest::keyClicks(dlg->findChild<QPlainTextEdit*>(QStringLiteral("names")),
                             QStringLiteral("a b c d e a"));
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        OnAddDomains(m_state->m_doc, nullptr);
        QCOMPARE(m_state->Names(), QByteArrayList({"a.COM", "b.COM", "c.COM"}));
        QCOMPARE(driver.m_messages.size(), 1);
        QVERIFY(driver.m_messages[0].contains(QStringLiteral("3 names were added; 2 more were left out.")));
        QVERIFY(driver.m_messages[0].contains(QStringLiteral("Max Entries")));
    }

    void theCommandIsRegisteredAndAlwaysEnabled()
    {
        QMainWindow window;
        CCommandRegistry registry(&window);
        RegisterNameCommands(registry, m_state->m_doc, &window);
        QVERIFY(registry.Find(ID_CONSTRUCT_NAMES));
        CModalDriver driver([](QWidget* top) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(top);
            QVERIFY(dlg);
            QTest::keyClicks(dlg->findChild<QPlainTextEdit*>(QStringLiteral("names")), QStringLiteral("x.NET"));
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        QVERIFY(registry.Execute(ID_ADD_DOMAINS));
        QCOMPARE(m_state->Names(), QByteArrayList{"x.NET"});
    }

    void f1ShowsTheHelpOnAddingNames()
    {
        QMainWindow window;
        window.show();
        CCommandRegistry registry(&window);
        RegisterNameCommands(registry, m_state->m_doc, &window);
        CModalDriver driver([](QWidget* top) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(top);
            QVERIFY(dlg);
            VerifyF1ShowsTheHelpOnAddingNames(dlg);
        });
        QVERIFY(registry.Execute(ID_ADD_DOMAINS));
        QCOMPARE(driver.m_nSteps, 1);
    }

    void tldItemsAreNavyGreyWhenDisabledAndHighlightedWhenSelected()
    {
        g_tldTable.GetAt(3)->m_bSelected = 1;
        CTLDCheckListBox list;
        list.FillFromTable();
        QCOMPARE(list.count(), 12);
        QCOMPARE(list.item(3)->text(), QStringLiteral(" CO.UK"));
        QVERIFY(list.GetCheck(0) && !list.GetCheck(1) && list.GetCheck(3));
        list.resize(160, 300);
        list.show();

        const QColor navy = CTLDCheckListBox::ItemColor();
        const QColor grey = CTLDItemDelegate::DisabledColor();
        const QImage enabled = list.grab().toImage();
        QVERIFY(CountPixels(enabled, navy) > 50);

        list.setCurrentRow(0);
        const QImage selected = list.grab().toImage();
        QVERIFY(CountPixels(selected, list.palette().color(QPalette::Highlight)) > 100);
        QVERIFY(CountPixels(selected, navy) < CountPixels(enabled, navy));

        list.setEnabled(false);
        const QImage disabled = list.grab().toImage();
        QCOMPARE(CountPixels(disabled, navy), 0);
        QVERIFY(CountPixels(disabled, grey) > 50);

        list.setEnabled(true);
        list.SetCheck(3, false);
        list.StoreToTable();
        QVERIFY(!g_tldTable.GetAt(3)->m_bSelected);
        QVERIFY(g_tldTable.GetAt(0)->m_bSelected);
    }

private:
    std::unique_ptr<CNameTestState> m_state;
    QString m_nextImport;
};

TELVARO_GUI_TEST_MAIN(AddNamesDialogTest)
#include "AddNamesDialogTest.moc"
