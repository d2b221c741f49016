// telvaro-cli: Telvaro's lists, lookups and TLD table from scripts.
#include "base/UserMessage.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliCompletion.h"
#include "cli/CliManPage.h"
#include "cli/CliError.h"
#include "model/TLDTable.h"
#include "net/MainThreadQueue.h"
#include "verdict/RuleStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

QString Overview()
{
    QString text = QStringLiteral("usage: telvaro-cli [--home DIR] COMMAND ...\n\n");
    for (const CCliCommand* command : AllCliCommands())
        text += command->OverviewLines();
    text += QStringLiteral(
        "\n"
        "--home DIR uses DIR as Telvaro's program folder (like TELVARO_HOME=DIR).\n"
        "'telvaro-cli help COMMAND' or 'telvaro-cli COMMAND --help' tells more of one command.\n");
    return text;
}

void Print(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

bool IsHelpWord(const QString& word)
{
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

// Takes "--home DIR" (or "--home=DIR") from anywhere before "--".
void TakeHomeOption(QStringList& words)
{
    for (qsizetype i = 0; i < words.size() && words[i] != QLatin1String("--"); ++i) {
        QString dir;
        if (words[i].startsWith(QLatin1String("--home="))) {
            dir = words[i].mid(7);
            words.removeAt(i);
        } else if (words[i] == QLatin1String("--home")) {
            if (i + 1 >= words.size())
                throw UsageError(QStringLiteral("--home needs a value"));
            dir = words[i + 1];
            words.remove(i, 2);
        } else {
            continue;
        }
        qputenv("TELVARO_HOME", QDir(dir).absolutePath().toLocal8Bit());
        return;
    }
}

CCliCommand& CommandNamed(const QString& name)
{
    CCliCommand* command = FindCliCommand(name);
    if (!command)
        throw UsageError(QStringLiteral("unknown command '%1'").arg(name));
    return *command;
}

int Dispatch(QStringList words)
{
    TakeHomeOption(words);
    if (words.isEmpty()) {
        Print(stderr, Overview());
        return kExitUsage;
    }
    const QString first = words.takeFirst();
    if (IsHelpWord(first)) {
        Print(stdout, Overview());
        return 0;
    }
    if (first == QLatin1String("--version")) {
        std::printf("telvaro-cli %s\n", TELVARO_VERSION);
        return 0;
    }
    // For the build, which installs what they print; not in the overview.
    if (first == QLatin1String("--man-page")) {
        Print(stdout, CliManPage(AllCliCommands(), GlobalCliOptions(), QStringLiteral(TELVARO_VERSION)));
        return 0;
    }
    if (first == QLatin1String("--bash-completion")) {
        Print(stdout, CliBashCompletion(AllCliCommands(), GlobalCliOptions()));
        return 0;
    }
    if (first == QLatin1String("help")) {
        Print(stdout, words.isEmpty() ? Overview() : CommandNamed(words.first()).HelpText());
        return 0;
    }
    CCliCommand& command = CommandNamed(first);
    if (!words.isEmpty() && IsHelpWord(words.first())) {
        Print(stdout, command.HelpText());
        return 0;
    }
    const CCliArgs args(command, words);
    ReportResult(LoadTLDTable());
    // A damaged rules file of the user's is named once; the bundled rules apply.
    for (const QString& message : CRuleStore::Reload())
        ReportUserError(message);
    return command.Run(args);
}

// The command named on the command line, read before any application
// exists: the first word that is not "--home" with its value.
const CCliCommand* CommandOfCommandLine(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView word(argv[i]);
        if (word == "--home")
            ++i;
        else if (!word.startsWith("--home="))
            return FindCliCommand(QString::fromLocal8Bit(argv[i]));
    }
    return nullptr;
}

// A core application, or for a command that draws a GUI one, which needs
// no display unless a platform is asked for.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[])
{
    const CCliCommand* command = CommandOfCommandLine(argc, argv);
    if (!command || !command->NeedsGuiApplication())
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

}

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Telvaro"));
    QCoreApplication::setApplicationName(QStringLiteral("Telvaro"));
    SetUserMessageHandler([](const QString& text) { std::fprintf(stderr, "telvaro-cli: %s\n", qPrintable(text)); });

    int status = 0;
    try {
        status = Dispatch(QCoreApplication::arguments().mid(1));
    } catch (const CCliError& e) {
        std::fprintf(stderr, "telvaro-cli: %s\n", qPrintable(e.m_strMessage));
        if (e.m_nExitCode == kExitUsage)
            std::fputs("Try 'telvaro-cli --help'.\n", stderr);
        status = e.m_nExitCode;
    }
    // Let every lookup thread end before the application goes away.
    CMainThreadQueue::WaitForThreads(std::chrono::seconds(10));
    return status;
}
