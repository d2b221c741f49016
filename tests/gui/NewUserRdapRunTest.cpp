#include "GuiTestMain.h"
#include "LoopbackRdapServer.h"
#include "NameDialogsSupport.h"
#include "TLDSetupDriving.h"
#include "TestSupport.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "lookup/LookupScheduler.h"
#include "model/SampleWholist.h"
#include "model/ServerText.h"
#include "names/DomainNamesDlg.h"
#include "shell/DomainApp.h"
#include "shell/MainFrame.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/InfoPane.h"

#include <QPlainTextEdit>

#include <cstdlib>

// Someone new imports today's TLDs from the sample file, where .info has no
// port-43 server but an RDAP base, and looks up two .info names. The
// loopback RDAP server stands in for the registry: the row's server is set
// to its base, as a user would type it.
class NewUserRdapRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void looksUpInfoNamesOverRdapAndShowsTheRecord()
    {
        ScopedTelvaroHome home;
        CRdapServerOptions serverOptions;
        serverOptions.m_default.m_chooseFor = [](const std::string& name) {
            return name.rfind("free", 0) == 0 ? CRdapBehaviour::NotFound() : CRdapBehaviour::Registered();
        };
        CLoopbackRdapServer rdap(serverOptions);
        const QByteArray base = QByteArray::fromStdString(rdap.HttpUrl("/rdap/"));

        CDomainApp app;
        QVERIFY(app.InitInstance({QStringLiteral("telvaro")}));
        CCommandRegistry& registry = *app.GetMainFrame()->Registry();

        int imports = 0;
        auto setup = std::make_unique<CModalDriver>([&](QWidget* window) {
            if (AcceptSampleImport(window)) {
                ++imports;
                return;
            }
            auto* dlg = qobject_cast<CTLDSetupDlg*>(window);
            QVERIFY2(dlg, window ? window->metaObject()->className() : "no window");
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("import")), Qt::LeftButton);
            // The sample names an RDAP base for .info, so lookups would go
            // out over RDAP even before it is pointed at the loopback.
            QVERIFY(IsRdapBase(GetWhoisServer("a.info")));
            PointRowAt(dlg, "INFO", base.toStdString());
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
        });
        QVERIFY(registry.Execute(ID_SETUP_DOMAINS));
        QCOMPARE(imports, 2);   // the import dialog and its file dialog
        QVERIFY(setup->m_messages.isEmpty());
        setup.reset();   // the next dialogs are another driver's
        QCOMPARE(GetWhoisServer("a.info"), base);

        CModalDriver addNames([&](QWidget* window) {
            auto* dlg = qobject_cast<CDomainNamesDlg*>(window);
            QVERIFY(dlg);
            QTest::keyClicks(dlg->findChild<QPlainTextEdit*>(QStringLiteral("names")), QStringLiteral("kettle freekettle"));
            auto* list = dlg->findChild<CTLDCheckListBox*>(QStringLiteral("tldList"));
            Tick(list, "COM", false);
            Tick(list, "INFO", true);
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        QVERIFY(registry.Execute(ID_ADD_DOMAINS));
        CDomainDoc& doc = *app.GetDocument();
        QCOMPARE(doc.GetCount(), 2);
        QCOMPARE(doc.GetAt(0)->m_strName, QByteArray("kettle.INFO"));
        QCOMPARE(doc.GetAt(1)->m_strName, QByteArray("freekettle.INFO"));

        CDomainView* view = app.GetMainFrame()->GetView();
        CDomainListCtrl* list = view->GetListCtrl();
        TickAndLookUp(app.GetMainFrame(), {0, 1});
        QCOMPARE(rdap.RequestCount(), 2u);
        QCOMPARE(doc.GetAt(0)->m_nStatus, uint8_t(STATUS_TAKEN));
        QCOMPARE(doc.GetAt(1)->m_nStatus, uint8_t(STATUS_AVAILABLE));

        // The whois pane shows the RDAP record of the highlighted name.
        list->HighlightItem(0);
        QCoreApplication::processEvents();
        const QString taken = view->GetInfoPane()->GetPaneText();
        QVERIFY2(taken.contains(QStringLiteral("RDAP server: ") + QString::fromLatin1(base) + QStringLiteral("domain/kettle.INFO")),
                 qPrintable(taken));
        QVERIFY2(taken.contains(QStringLiteral("RDAP: registered")), qPrintable(taken));
        QVERIFY2(taken.contains(QStringLiteral("Registrar: Example Registrar, Inc.")), qPrintable(taken));
        QVERIFY2(taken.contains(QStringLiteral("Name Servers: NS1.EXAMPLE.NET, NS2.EXAMPLE.NET")), qPrintable(taken));
        // A picture of the window as the user sees it now, to look at.
        const QString shot = qEnvironmentVariable("TELVARO_SHOT", QStringLiteral("/tmp/telvaro-rdap-run.png"));
        app.GetMainFrame()->resize(900, 640);
        QCoreApplication::processEvents();
        QVERIFY(app.GetMainFrame()->grab().save(shot));

        list->HighlightItem(1);
        QCoreApplication::processEvents();
        const QString free = view->GetInfoPane()->GetPaneText();
        QVERIFY2(free.contains(QStringLiteral("RDAP: not found")), qPrintable(free));
        QCOMPARE(app.ExitInstance(), 0);
    }
};

TELVARO_GUI_TEST_MAIN(NewUserRdapRunTest)
#include "NewUserRdapRunTest.moc"
