#include "shell/MainFrame.h"

#include "export/ExportCommands.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/DomainPadFile.h"
#include "model/DomainPadList.h"
#include "names/NameCommands.h"
#include "names/TLDSetupCommand.h"
#include "shell/AboutDlg.h"
#include "shell/DomainPadBar.h"
#include "shell/DomainPadCommands.h"
#include "commands/CommandIcons.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "shell/FileCommands.h"
#include "shell/OptionsCommand.h"
#include "widgets/HelpWindow.h"
#include "commands/MenuBarBuilder.h"
#include "base/Profile.h"
#include "base/UserMessage.h"
#include "shell/RecentFileList.h"
#include "shell/SchedulerHost.h"
#include "shell/StatusProgress.h"
#include "shell/TrayCommands.h"
#include "commands/ToolBarBuilder.h"
#include "shell/WebCommands.h"
#include "shell/WindowPlacement.h"
#include "view/DomainView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

// Below this the picture buttons spill out of their column and the list
// shows hardly a row.
constexpr QSize kMinimumSize(560, 400);
constexpr int kBarStateVersion = 1;
constexpr char kStateEntry[] = "State";
constexpr char kStatusBarEntry[] = "StatusBar";

}

CMainFrame::CMainFrame(CDomainDoc* doc, CRecentFileList* recentFiles, QWidget* parent)
    : QMainWindow(parent)
    , m_pDoc(doc)
    , m_pRegistry(new CCommandRegistry(this))
    , m_pFileCommands(new CFileCommands(doc, recentFiles, this))
{
    setWindowIcon(GetAppIcon());
    setMinimumSize(kMinimumSize);
    resize(920, 660);
    CWindowPlacement placement;
    if (LoadWindowPlacement(placement))
        placement.ApplyTo(*this);

    CreateStatusBar();
    CreateToolBar();
    m_pMenuBuilder = new CMenuBarBuilder(menuBar(), m_pRegistry,
                                         [this](QObject* owner) { return m_pFileCommands->MakeRecentFileActions(owner); });
    connect(recentFiles, &CRecentFileList::Changed, m_pMenuBuilder, &CMenuBarBuilder::RebuildLater);

    m_pView = new CDomainView(doc, m_pRegistry, this);
    setCentralWidget(m_pView);
    m_pProgress->Track(m_pView->GetScheduler());
    RegisterCommands();
    RegisterNameCommands(*m_pRegistry, *doc, this);
    RegisterSetupDomainsCommand(*m_pRegistry, GetScheduler(), this);
    (new CExportCommands(*doc, this))->RegisterCommands(*m_pRegistry);
    CreateDomainPad();
    RegisterOptionsCommand(*m_pRegistry, this, m_pView);
    m_pTrayCommands = new CTrayCommands(this, m_pRegistry);
    CLookupScheduler::Host host = MakeDesktopSchedulerHost();
    host.m_animateTray = [tray = m_pTrayCommands](bool running) { tray->OnLookupsRunning(running); };
    m_pView->GetScheduler()->SetHost(std::move(host));
    (new CWebCommands(m_pView, this, [this](const QString& page) { WinHelp(page); }))->Register(*m_pRegistry);

    connect(m_pFileCommands, &CFileCommands::AboutToReplaceDocument, this, [this] { GetScheduler()->StopAll(); });
    connect(m_pFileCommands, &CFileCommands::NewDocumentMade, m_pView, &CDomainView::OnNewDocument);
    connect(m_pFileCommands, &CFileCommands::DocumentReplaced, this, &CMainFrame::OnDocumentReplaced);
    connect(m_pFileCommands, &CFileCommands::PathChanged, this, &CMainFrame::UpdateTitle);

    // Enable states follow what changes them, a burst at a time.
    const auto updateLater = [this] { m_pRegistry->UpdateCommandUILater(); };
    for (auto changed : {&CDomainDoc::ListRebuilt, &CDomainDoc::AllRowsChanged})
        connect(doc, changed, m_pRegistry, updateLater);
    for (auto changed : {&CDomainDoc::RowChanged, &CDomainDoc::RowRemoved})
        connect(doc, changed, m_pRegistry, updateLater);
    connect(doc, &CDomainDoc::ModifiedChanged, m_pRegistry, updateLater);
    connect(doc, &CDomainDoc::ModifiedChanged, this, &QWidget::setWindowModified);
    connect(GetScheduler(), &CLookupScheduler::Ticked, m_pRegistry, updateLater);
    connect(GetScheduler(), &CLookupScheduler::LookupRunningChanged, m_pRegistry, updateLater);
    connect(GetScheduler(), &CLookupScheduler::LookupFinished, m_pRegistry, updateLater);
    connect(qApp, &QApplication::focusChanged, m_pRegistry, updateLater);
    qApp->installEventFilter(this);

    LoadBarState();
    RebuildBars();
    UpdateTitle();
    m_pTrayCommands->HideAtStartIfAsked();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    // The view goes first: it stops the lookups while the registry and the
    // status bar can still hear from it.
    m_pProgress->Track(nullptr);
    delete m_pView;
    ReportResult(SaveDomainPad(*m_pPadList, GetDomainPadPath()));
    // Before the names it shows.
    delete m_pPad;
    m_pPad = nullptr;
}

CLookupScheduler* CMainFrame::GetScheduler() const
{
    return m_pView->GetScheduler();
}

CHelpWindow* CMainFrame::HelpWindow() const
{
    return m_pHelp;
}

void CMainFrame::CreateStatusBar()
{
    // One pane: command prompts while a menu item or button is pointed at,
    // the idle text otherwise, and the lookup progress at the right.
    m_pIdleText = new QLabel(QString::fromLatin1(kIdleText), this);
    statusBar()->addWidget(m_pIdleText, 1);
    m_pProgress = new CStatusProgress(this);
    statusBar()->addPermanentWidget(m_pProgress);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setMovable(false);
    m_pToolBar->setFloatable(false);
    m_pToolBar->setIconSize(QSize(18, 18));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    m_pToolBarBuilder = new CToolBarBuilder(m_pToolBar, m_pRegistry);
}

void CMainFrame::RegisterCommands()
{
    CCommandRegistry& r = *m_pRegistry;
    m_pFileCommands->RegisterCommands(&r);
    r.Register(ID_APP_EXIT, [this] { close(); });
    r.Register(ID_APP_ABOUT, [this] { OnAppAbout(); });
    for (CommandId id : {ID_HELP, ID_HELP_FINDER, ID_CONTEXT_HELP, ID_DEFAULT_HELP})
        r.Register(id, [this] { WinHelp(); });
    r.Register(ID_HELP_TOPICS, [this] { WinHelp(QStringLiteral("qzn-1.htm")); });
    r.Register(
        ID_VIEW_TOOLBAR, [this] { m_pToolBar->setVisible(m_pToolBar->isHidden()); }, {},
        [this] { return !m_pToolBar->isHidden(); });
    r.Register(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(statusBar()->isHidden()); }, {},
        [this] { return !statusBar()->isHidden(); });
    r.Register(ID_NEXT_PANE, [this] { focusNextPrevChild(true); });
    r.Register(ID_PREV_PANE, [this] { focusNextPrevChild(false); });
}

void CMainFrame::CreateDomainPad()
{
    // Read before the bar shows it; a damaged file is reported once and
    // what could be read stays.
    m_pPadList = std::make_unique<CDomainPadList>();
    ReportResult(LoadDomainPad(*m_pPadList, GetDomainPadPath()));
    m_pPad = new CDomainPadBar(m_pPadList.get(), m_pRegistry, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pPad);
    resizeDocks({m_pPad}, {200}, Qt::Horizontal);
    RegisterDomainPadCommands(*m_pRegistry, m_pPad, m_pPadList.get(), *m_pDoc, this);
    m_pView->AttachDomainPad(m_pPadList.get());
}

void CMainFrame::RebuildBars()
{
    m_pMenuBuilder->Rebuild();
    m_pToolBarBuilder->Rebuild();
    m_pRegistry->UpdateCommandUI();
}

void CMainFrame::UpdateTitle()
{
    // A "[*]" in the file name is doubled, so Qt shows it as it is instead of
    // taking it for the modified mark.
    QString name = m_pDoc->GetTitle();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(name + QStringLiteral("[*] - Telvaro"));
    setWindowModified(m_pDoc->IsModified());
}

void CMainFrame::OnDocumentReplaced()
{
    m_pView->OnInitialUpdate();
    m_pRegistry->UpdateCommandUI();
}

void CMainFrame::WinHelp(const QString& page)
{
    if (!m_pHelp)
        m_pHelp = new CHelpWindow(this);
    m_pHelp->ShowTopic(page);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::SaveBarState() const
{
    WriteProfileString(kBarProfile, kStateEntry, QString::fromLatin1(saveState(kBarStateVersion).toBase64()));
    WriteProfileInt(kBarProfile, kStatusBarEntry, statusBar()->isHidden() ? 0 : 1);
}

void CMainFrame::LoadBarState()
{
    const QString state = GetProfileString(kBarProfile, kStateEntry);
    if (!state.isEmpty())
        restoreState(QByteArray::fromBase64(state.toLatin1()), kBarStateVersion);
    statusBar()->setVisible(GetProfileInt(kBarProfile, kStatusBarEntry, 1) != 0);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    SaveBarState();
    SaveWindowPlacement(CWindowPlacement::FromWindow(*this));
    if (!m_pFileCommands->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_pHelp)
        m_pHelp->close();
    Q_EMIT Closed();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // What the user clicks or types may change what the commands can do
    // (the highlighted entry, a mark), as the program's idle update would.
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease) {
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this)
            m_pRegistry->UpdateCommandUILater();
    }
    return QMainWindow::eventFilter(watched, event);
}
