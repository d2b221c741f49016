#include "shell/DomainApp.h"

#include "model/DomainDoc.h"
#include "net/MainThreadQueue.h"
#include "model/SampleWholist.h"
#include "model/TLDTable.h"
#include "verdict/RuleStore.h"
#include "commands/CommandIcons.h"
#include "shell/FileCommands.h"
#include "shell/FileTypeRegistration.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "base/UserMessage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdio>

namespace {

constexpr auto kThreadWait = std::chrono::seconds(30);

void ShowUserMessage(const QString& text)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox::warning(parent, QStringLiteral("Telvaro"), text);
}

}

QString CDomainApp::Version()
{
    return QStringLiteral(TELVARO_VERSION);
}

CDomainApp::CDomainApp() = default;

CDomainApp::~CDomainApp()
{
    if (m_bStarted)
        ExitInstance();
}

namespace {

struct CommandLine
{
    QCommandLineParser m_parser;
    QCommandLineOption m_help = m_parser.addHelpOption();
    QCommandLineOption m_version = m_parser.addVersionOption();
    bool m_bParsed;

    explicit CommandLine(const QStringList& arguments)
    {
        m_parser.setApplicationDescription(QStringLiteral("Telvaro finds free Internet domain names."));
        m_parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A list of names (.qzn) to open."),
                                       QStringLiteral("[file]"));
        m_bParsed = m_parser.parse(arguments);
    }
};

}

bool CDomainApp::PrintTextRequest(const QStringList& arguments)
{
    CommandLine line(arguments);
    if (!line.m_bParsed || !(line.m_parser.isSet(line.m_help) || line.m_parser.isSet(line.m_version)))
        return false;
    const QString text = line.m_parser.isSet(line.m_help) ? line.m_parser.helpText()
                                                          : QStringLiteral("Telvaro %1\n").arg(Version());
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return true;
}

bool CDomainApp::ParseCommandLine(const QStringList& arguments, QString& documentPath)
{
    if (PrintTextRequest(arguments))
        return false;
    CommandLine line(arguments);
    if (!line.m_bParsed)
        ReportUserError(line.m_parser.errorText());
    const QStringList files = line.m_parser.positionalArguments();
    documentPath = files.value(0);
    if (files.size() > 1)
        ReportUserError(QStringLiteral("Telvaro opens one list at a time; \"%1\" is opened, the other names are ignored.")
                            .arg(documentPath));
    return true;
}

bool CDomainApp::InitInstance(const QStringList& arguments)
{
    // The settings store: $XDG_CONFIG_HOME/Telvaro/Telvaro.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("Telvaro"));
    QCoreApplication::setApplicationName(QStringLiteral("Telvaro"));
    QCoreApplication::setApplicationVersion(Version());
    QGuiApplication::setDesktopFileName(QStringLiteral("telvaro"));
    QGuiApplication::setWindowIcon(GetAppIcon());
    // The frame may hide itself (into the tray); only its closing ends the
    // program, never the last message box going away.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    SetUserMessageHandler(ShowUserMessage);
    CMainThreadQueue::Listen();

    QString documentPath;
    if (!ParseCommandLine(arguments, documentPath))
        return false;
    m_bStarted = true;

    m_pRecentFiles = std::make_unique<CRecentFileList>(kRecentFiles);
    // Every name needs its whois server, so the table comes before any list.
    ReportResult(LoadTLDTable());
    // The import dialog offers it; a user's own file of that name stays.
    ReportResult(InstallSampleWholist());
    // A damaged rules file of the user's is named once; the bundled rules apply.
    for (const QString& message : CRuleStore::Reload())
        ReportUserError(message);
    if (!CFileTypeRegistration::IsInstalled(QCoreApplication::applicationFilePath()))
        CFileTypeRegistration::Register(QCoreApplication::applicationFilePath());

    m_pDoc = std::make_unique<CDomainDoc>();
    m_pDoc->OnNewDocument();
    m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), m_pRecentFiles.get());
    connect(m_pFrame.get(), &CMainFrame::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    OpenStartDocument(documentPath);
    m_pFrame->show();
    return true;
}

void CDomainApp::OpenStartDocument(const QString& path)
{
    // A list that cannot be opened has been reported; the program still
    // starts, with an empty list.
    if (!path.isEmpty())
        m_pFrame->FileCommands()->OpenDocumentFile(path);
}

int CDomainApp::ExitInstance()
{
    if (!m_bStarted)
        return 0;
    m_bStarted = false;
    // The view's scheduler stops every lookup and waits for it.
    m_pFrame.reset();
    const bool saved = ReportResult(SaveTLDTableIfChanged());
    m_pDoc.reset();
    m_pRecentFiles.reset();
    if (!CMainThreadQueue::WaitForThreads(kThreadWait))
        qWarning("Telvaro: background threads still running at exit");
    SetUserMessageHandler({});
    return saved ? 0 : 1;
}
