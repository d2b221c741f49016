#include "GuiTestMain.h"
#include "LoopbackWhoisServer.h"
#include "TestSupport.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/HintLine.h"
#include "view/InfoPane.h"
#include "view/PictureButton.h"
#include "view/ViewPanes.h"

#include <QScrollBar>
#include <QToolTip>
#include <QWindow>

#include <memory>

namespace {

CLookupOptions Limits(int connections, int intervalMs)
{
    CLookupOptions options;
    options.m_nMaxConnections = connections;
    options.m_nIntervalMs = intervalMs;
    options.m_nServerConnections = 0;   // one server answers for all: no pacing
    options.m_bControlNames = false;
    return options;
}

}

// The view in a window with a command registry, over a document whose
// names are looked up at a loopback whois server.
class DomainViewTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CLoopbackWhoisServer> m_pServer;
    std::unique_ptr<QWidget> m_pWindow;
    CCommandRegistry* m_pRegistry = nullptr;
    std::unique_ptr<CDomainDoc> m_pDoc;
    CDomainView* m_pView = nullptr;

    void AddNames(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            QVERIFY(m_pDoc->AddDomain(name));
        m_pDoc->NotifyListRebuilt();
    }

    bool Enabled(CommandId id)
    {
        m_pRegistry->UpdateCommandUI();
        return m_pRegistry->Find(id) && m_pRegistry->Find(id)->isEnabled();
    }

    QString PaneText() const { return m_pView->GetInfoPane()->toPlainText(); }
    static QString Shown(const QString& text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
    void Settle() { QCoreApplication::processEvents(); }

    // A whois record of 60 lines with the two phrases on the given lines.
    static QByteArray Record(int policyLine, int termsLine)
    {
        QByteArray text;
        for (int i = 0; i < 60; ++i) {
            text += "line " + QByteArray::number(i);
            if (i == policyLine)
                text += " you agree to abide by this policy";
            if (i == termsLine)
                text += " you agree to these terms";
            text += "\r\n";
        }
        return text;
    }

private Q_SLOTS:
    void init()
    {
        m_pServer = std::make_unique<CLoopbackWhoisServer>();
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_pServer->Address()), 1));
        m_pWindow = std::make_unique<QWidget>();
        m_pRegistry = new CCommandRegistry(m_pWindow.get());
        m_pDoc = std::make_unique<CDomainDoc>();
        m_pDoc->OnNewDocument();
        m_pView = new CDomainView(m_pDoc.get(), m_pRegistry, m_pWindow.get());
        m_pView->resize(800, 600);
        m_pWindow->resize(800, 600);
        m_pWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
    }

    void cleanup()
    {
        m_pWindow.reset();
        m_pDoc.reset();
        m_pServer.reset();
        g_tldTable.RemoveAll();
    }

    void panesAndButtonsAreLaidOutFromTheSize()
    {
        const CViewPanes p = CViewPanes::Compute(QSize(800, 600));
        QCOMPARE(p.m_rcInfoFrame, QRect(QPoint(2, 300), QPoint(679, 553)));
        QCOMPARE(p.m_rcListFrame, QRect(QPoint(2, 4), QPoint(679, 293)));
        QCOMPARE(p.m_rcButtonsFrame, QRect(QPoint(684, 4), QPoint(797, 595)));
        QCOMPARE(p.m_rcHintFrame, QRect(QPoint(2, 560), QPoint(679, 595)));
        QCOMPARE(p.m_rcList, QRect(QPoint(4, 6), QPoint(677, 291)));
        QCOMPARE(p.m_rcSupport, QRect(700, 26, 82, 36));
        QCOMPARE(p.m_rcRegister, QRect(700, 106, 82, 36));
        // A window too small for the panes gives empty ones, not negative ones.
        const CViewPanes tiny = CViewPanes::Compute(QSize(50, 40));
        QVERIFY(tiny.m_rcList.width() >= 0 && tiny.m_rcInfo.height() >= 0);

        QCOMPARE(m_pView->GetListCtrl()->geometry(), p.m_rcList);
        QCOMPARE(m_pView->GetInfoPane()->geometry(), p.m_rcInfo);
        QCOMPARE(m_pView->GetHintLine()->geometry(), p.m_rcHint);
        QCOMPARE(m_pView->GetRegisterButton()->geometry(), p.m_rcRegister);
        QCOMPARE(m_pView->GetListCtrl()->columnWidth(1), (p.m_rcList.width() - 75) / 3 + 15);
        m_pView->resize(640, 480);
        QCOMPARE(m_pView->GetInfoPane()->geometry(), CViewPanes::Compute(QSize(640, 480)).m_rcInfo);
    }

    void infoPaneShowsRecordOrTheFittingInstruction()
    {
        QCOMPARE(PaneText(), Shown(CDomainView::kStartText));
        AddNames({"a.com", "b.com"});
        QCOMPARE(PaneText(), Shown(CDomainView::kStartText));
        QVERIFY(m_pRegistry->Execute(ID_SHOW_INFO));
        QCOMPARE(PaneText(), Shown(CDomainView::kChooseText));

        m_pView->GetListCtrl()->HighlightItem(1);
        Settle();
        QCOMPARE(PaneText(), Shown(CDomainView::kNoInfoText));
        QCOMPARE(m_pView->GetHighlightedEntry(), m_pDoc->GetAt(1));

        // A changed row that is highlighted refreshes the pane by itself.
        m_pDoc->GetAt(1)->m_strWhois = "Domain: b.com\r\nRegistrar: x\xe9\r\n";
        m_pDoc->NotifyRowChanged(1);
        Settle();
        QCOMPARE(PaneText(), QString::fromLatin1("Domain: b.com\nRegistrar: x\xe9\n"));

        m_pDoc->DeleteAllDomains();
        m_pDoc->NotifyListRebuilt();
        QVERIFY(m_pRegistry->Execute(ID_SHOW_INFO));
        QCOMPARE(PaneText(), Shown(CDomainView::kStartText));
        QCOMPARE(m_pView->GetHighlightedIndex(), -1);
    }

    void showInfoScrollsToTheLaterTermsAndKeepsTheUsersPlace()
    {
        QCOMPARE(CInfoPane::FindTermsPosition(QStringLiteral("nothing here")), qsizetype(-1));
        QCOMPARE(CInfoPane::FindTermsPosition(QStringLiteral("ab you agree to these terms")), qsizetype(3));
        QCOMPARE(CInfoPane::FindTermsPosition(QStringLiteral("a you agree to abide by this policy")), qsizetype(2));

        AddNames({"a.com", "b.com"});
        m_pDoc->GetAt(0)->m_strWhois = Record(10, 25);
        m_pDoc->GetAt(1)->m_strWhois = Record(30, 12);
        CInfoPane* pane = m_pView->GetInfoPane();
        m_pView->GetListCtrl()->HighlightItem(0);
        Settle();
        QCOMPARE(pane->FirstVisibleLine(), 25);
        m_pView->GetListCtrl()->HighlightItem(1);
        Settle();
        QCOMPARE(pane->FirstVisibleLine(), 30);

        pane->verticalScrollBar()->setValue(3);
        QVERIFY(m_pRegistry->Execute(ID_SHOW_INFO));
        QCOMPARE(pane->FirstVisibleLine(), 3);
    }

    void hintLineCountsTheList()
    {
        QVERIFY(m_pView->GetHintLine()->GetText().startsWith(QStringLiteral("Use the 'Add Names' option")));
        AddNames({"a.com", "b.com"});
        Settle();
        QCOMPARE(m_pView->GetHintLine()->GetText(),
                 QStringLiteral("Right click on a domain name and choose 'Check availability' to check if the domain is "
                                "available. [2 Domains, 0 checked, 0 available, 0 taken]"));
        m_pDoc->SetSelected(0, 1);
        Settle();
        CHintLine* hint = m_pView->GetHintLine();
        QVERIFY(hint->GetText().startsWith(QStringLiteral("Use the 'Lookup Selected' option")));
        // Too narrow for all of it: the counts stay, the instruction is cut.
        const QString fitted = hint->FittedText(450);
        QVERIFY(fitted.endsWith(QStringLiteral("[2 Domains, 0 checked, 0 available, 0 taken]")));
        QVERIFY(fitted.startsWith(QStringLiteral("Use")));
        QVERIFY(QFontMetrics(hint->font()).horizontalAdvance(fitted) <= 450);
        QCOMPARE(hint->FittedText(5000), hint->GetText());
    }

    void commandsFollowTheirRules()
    {
        QVERIFY(!Enabled(ID_REFRESH));
        QVERIFY(!Enabled(ID_SORT_NAMES));
        QVERIFY(!Enabled(ID_CHECK_AVAILABILITY));
        QVERIFY(!Enabled(ID_LOOKUP_SELECTED));
        QVERIFY(Enabled(ID_SHOW_INFO));
        AddNames({"c.com", "a.com", "b.com"});
        QVERIFY(Enabled(ID_REFRESH));
        QVERIFY(Enabled(ID_SORT_DATE));
        QVERIFY(!Enabled(ID_CHECK_AVAILABILITY));   // nothing highlighted
        m_pView->GetListCtrl()->HighlightItem(1);
        QVERIFY(Enabled(ID_CHECK_AVAILABILITY));
        QVERIFY(!Enabled(ID_RESET_ENTRY));
        QVERIFY(!Enabled(ID_STOP_LOOKUP));
        QVERIFY(!Enabled(ID_STOP_ALL));

        // Sorting keeps the highlight on its record.
        QVERIFY(m_pRegistry->Execute(ID_SORT_NAMES));
        QCOMPARE(m_pView->GetHighlightedIndex(), 0);
        QCOMPARE(m_pView->GetHighlightedEntry()->m_strName, QByteArray("a.com"));
    }

    void lookupOfTheHighlightedNameShowsItsRecord()
    {
        m_pServer->SetDefaultBehaviour(CWhoisBehaviour::Template("No match for \"%s\".\r\n"));
        AddNames({"taken.com", "free.com"});
        m_pServer->SetBehaviour("taken.com", CWhoisBehaviour::Answer("Domain Name: TAKEN.COM\r\nRegistrar: R\r\n"));
        m_pView->GetListCtrl()->HighlightItem(1);
        QVERIFY(m_pRegistry->Execute(ID_CHECK_AVAILABILITY));
        QCOMPARE(m_pDoc->GetAt(1)->m_nStatus, uint8_t(STATUS_CHECKING));
        QVERIFY(!Enabled(ID_CHECK_AVAILABILITY));
        QVERIFY(Enabled(ID_STOP_LOOKUP));
        QVERIFY(ProcessEventsUntil([&] { return !m_pView->GetScheduler()->IsBusy(); }));
        Settle();
        QCOMPARE(m_pDoc->GetAt(1)->m_nStatus, uint8_t(STATUS_AVAILABLE));
        QVERIFY(m_pDoc->IsModified());
        QVERIFY(PaneText().contains(QStringLiteral("No match for \"free.com\"")));

        QVERIFY(m_pRegistry->Execute(ID_RESET_ENTRY));
        Settle();
        QCOMPARE(m_pDoc->GetAt(1)->m_nStatus, uint8_t(STATUS_UNKNOWN));
        QCOMPARE(PaneText(), Shown(CDomainView::kNoInfoText));

        // Lookup Selected over the ticked names, to the end.
        m_pDoc->SetSelected(0, 1);
        m_pDoc->SetSelected(1, 1);
        m_pView->GetScheduler()->SetOptions(Limits(5, 50));
        QVERIFY(m_pRegistry->Execute(ID_LOOKUP_SELECTED));
        QVERIFY(ProcessEventsUntil([&] { return !m_pView->GetScheduler()->IsBusy(); }));
        QCOMPARE(m_pDoc->GetAt(0)->m_nStatus, uint8_t(STATUS_TAKEN));
        QCOMPARE(m_pDoc->GetAt(1)->m_nStatus, uint8_t(STATUS_AVAILABLE));
        QVERIFY(ProcessEventsUntil([&] { return m_pView->GetHintLine()->GetText().endsWith(
                                             QStringLiteral("[2 Domains, 2 checked, 1 available, 1 taken]")); }));
        QVERIFY(Enabled(ID_RESET_SELECTED));
        QVERIFY(m_pRegistry->Execute(ID_RESET_SELECTED));
        QCOMPARE(m_pDoc->GetAt(0)->m_nStatus, uint8_t(STATUS_UNKNOWN));
    }

    void closingTheViewStopsLookupsAndItsCommands()
    {
        m_pServer->SetDefaultBehaviour(CWhoisBehaviour::NeverClose("held"));
        AddNames({"slow.com"});
        m_pView->GetListCtrl()->HighlightItem(0);
        QVERIFY(m_pRegistry->Execute(ID_CHECK_AVAILABILITY));
        QVERIFY(m_pDoc->GetAt(0)->IsBusy());
        QVERIFY(Enabled(ID_STOP_ALL));
        delete m_pView;
        m_pView = nullptr;
        QVERIFY(!m_pDoc->GetAt(0)->IsBusy());
        QVERIFY(!m_pRegistry->Execute(ID_SHOW_INFO));
        QVERIFY(!m_pRegistry->Execute(ID_CHECK_AVAILABILITY));
    }

    void pictureButtonsNameThemselvesWhileNothingHandlesThem()
    {
        const struct
        {
            CPictureButton* m_pButton;
            QString m_strName;
        } buttons[] = {{m_pView->GetSupportButton(), QStringLiteral("Customer Support")},
                       {m_pView->GetRegisterButton(), QStringLiteral("Register Domain")}};
        QWindow* window = m_pWindow->windowHandle();
        for (const auto& b : buttons) {
            QVERIFY(!b.m_pButton->isEnabled());
            // The pointer comes in through the window, as the desktop moves it.
            QTest::mouseMove(window, b.m_pButton->mapTo(m_pWindow.get(), QPoint(-20, -20)));
            QTest::mouseMove(window, b.m_pButton->mapTo(m_pWindow.get(), b.m_pButton->rect().center()));
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), b.m_strName);
            QToolTip::hideText();
            QTRY_VERIFY(!QToolTip::isVisible());
        }
    }

    void pictureButtonsRunTheirCommandsOnceThereAreAny()
    {
        CPictureButton* support = m_pView->GetSupportButton();
        QVERIFY(!support->isEnabled());
        int runs = 0;
        m_pRegistry->Register(ID_CUSTOMER_SUPPORT, [&] { ++runs; });
        QVERIFY(support->isEnabled());
        QTest::mouseClick(support, Qt::LeftButton);
        QCOMPARE(runs, 1);
        m_pRegistry->Register(ID_CUSTOMER_SUPPORT, [&] { ++runs; }, [] { return false; });
        QVERIFY(!support->isEnabled());

        m_pRegistry->Register(ID_REGISTER_DOMAIN, [] {});
        QVERIFY(m_pView->GetRegisterButton()->isEnabled());

        // A look at the whole view with a few rows.
        AddNames({"alpha.com", "beta.com", "gamma.com"});
        m_pDoc->GetAt(1)->m_nStatus = STATUS_AVAILABLE;
        m_pDoc->GetAt(1)->m_strWhois = "No match for \"beta.com\".\r\n";
        m_pDoc->GetAt(2)->m_bSelected = 1;
        m_pDoc->NotifyAllRowsChanged();
        m_pView->GetListCtrl()->HighlightItem(1);
        Settle();
        m_pWindow->grab().save(QStringLiteral("/tmp/view-shot.png"));
    }
};

TELVARO_GUI_TEST_MAIN(DomainViewTest)
#include "DomainViewTest.moc"
