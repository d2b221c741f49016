#include "GuiTestMain.h"
#include "LoopbackWhoisServer.h"
#include "NameDialogsSupport.h"
#include "TLDSetupDriving.h"
#include "TestSupport.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "lookup/LookupScheduler.h"
#include "model/SampleWholist.h"
#include "model/TLDTable.h"
#include "names/DomainNamesDlg.h"
#include "names/ImportWhoisDlg.h"
#include "names/TLDCheckListBox.h"
#include "names/TLDSetupDlg.h"
#include "shell/DomainApp.h"
#include "shell/MainFrame.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/TLDListCtrl.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

// Someone who has never run Telvaro adds the TLDs of today from the sample
// file and looks names up under two of them, as the help describes it. Two
// loopback servers stand in for the registries of .io and .de.
class NewUserTLDSetupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importsTheSampleAndLooksUpNamesUnderIoAndDe()
    {
        ScopedTelvaroHome home;
        CLoopbackWhoisServer io(CWhoisBehaviour::Answer("Domain Name: KETTLE.IO\r\nRegistrar: Example Registrar\r\n"));
        CLoopbackWhoisServer de;   // "No match for ..."

        CDomainApp app;
        QVERIFY(app.InitInstance({QStringLiteral("telvaro")}));
        QVERIFY(QFile::exists(GetSampleWholistPath()));
        QCOMPARE(g_tldTable.GetSize(), 12);
        CCommandRegistry& registry = *app.GetMainFrame()->Registry();
        QVERIFY(registry.IsRegistered(ID_SETUP_DOMAINS));

        QStringList seen;
        auto setup = std::make_unique<CModalDriver>([&](QWidget* window) {
            if (auto* files = qobject_cast<QFileDialog*>(window)) {
                seen << QStringLiteral("files");
                // The sample is offered where the import starts.
                QCOMPARE(files->directory().absolutePath() + QLatin1Char('/'), GetProgramFolder());
                QCOMPARE(files->selectedFiles(), QStringList{GetSampleWholistPath()});
                auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QCOMPARE(edit->text(), QStringLiteral("wholist.txt"));
                QTest::keyClick(edit, Qt::Key_Return);
                QVERIFY(!files->isVisible());
                return;
            }
            if (auto* import = qobject_cast<CImportWhoisDlg*>(window)) {
                seen << QStringLiteral("import");
                QVERIFY(import->findChild<QPlainTextEdit*>()->toPlainText().contains(QStringLiteral("wholist.txt")));
                QTest::mouseClick(import->findChild<QPushButton*>(QStringLiteral("import")), Qt::LeftButton);
                return;
            }
            auto* dlg = qobject_cast<CTLDSetupDlg*>(window);
            QVERIFY(dlg);
            seen << QStringLiteral("setup");
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("import")), Qt::LeftButton);
            QVERIFY(g_tldTable.GetSize() > 1000);
            QCOMPARE(dlg->ListCtrl()->model()->rowCount(), int(g_tldTable.GetSize()));
            PointRowAt(dlg, "IO", io.Address());
            PointRowAt(dlg, "DE", de.Address());   // moving on commits IO
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
            QVERIFY(!dlg->isVisible());
        });
        QVERIFY(registry.Execute(ID_SETUP_DOMAINS));
        QCOMPARE(seen, (QStringList{QStringLiteral("setup"), QStringLiteral("import"), QStringLiteral("files")}));
        QVERIFY(setup->m_messages.isEmpty());
        setup.reset();
        QCOMPARE(GetWhoisServer("a.io"), QByteArray::fromStdString(io.Address()));
        QCOMPARE(GetWhoisServer("a.de"), QByteArray::fromStdString(de.Address()));
        QCOMPARE(GetWhoisServer("a.co"), QByteArray("whois.registry.co"));
        // Close saved it all.
        QFile saved(GetTLDFilePath());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains(QByteArray::fromStdString(io.Address())));

        CModalDriver addNames([&](QWidget* window) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(window);
            QVERIFY(dlg);
            QTest::keyClicks(dlg->findChild<QPlainTextEdit*>(QStringLiteral("names")), QStringLiteral("kettle"));
            auto* list = dlg->findChild<CTLDCheckListBox*>(QStringLiteral("tldList"));
            QCOMPARE(list->count(), int(g_tldTable.GetSize()));
            Tick(list, "COM", false);
            Tick(list, "IO", true);
            Tick(list, "DE", true);
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        QVERIFY(registry.Execute(ID_ADD_DOMAINS));
        CDomainDoc& doc = *app.GetDocument();
        QCOMPARE(doc.GetCount(), 2);   // in table order
        QCOMPARE(doc.GetAt(0)->m_strName, QByteArray("kettle.DE"));
        QCOMPARE(doc.GetAt(1)->m_strName, QByteArray("kettle.IO"));

        // Tick both names in the list and look them up.
        TickAndLookUp(app.GetMainFrame(), {0, 1});
        QVERIFY(doc.GetAt(0)->m_bSelected && doc.GetAt(1)->m_bSelected);
        QCOMPARE(io.Requests(), std::vector<std::string>{"kettle.IO\r\n"});
        QCOMPARE(de.Requests(), std::vector<std::string>{"kettle.DE\r\n"});
        QCOMPARE(doc.GetAt(0)->m_nStatus, uint8_t(STATUS_AVAILABLE));
        QCOMPARE(doc.GetAt(1)->m_nStatus, uint8_t(STATUS_TAKEN));
        QCOMPARE(app.ExitInstance(), 0);
    }
};

TELVARO_GUI_TEST_MAIN(NewUserTLDSetupTest)
#include "NewUserTLDSetupTest.moc"
