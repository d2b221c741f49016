// telvaro-cli: Telvaro's lists, lookups and TLD table from scripts.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"
#include "base/UserMessage.h"

#include <QCoreApplication>
#include <QDir>

#include <chrono>
#include <cstdio>

namespace {

const char kUsage[] =
    "usage: telvaro-cli [--home DIR] COMMAND ...\n"
    "\n"
    "  new FILE                      create an empty list\n"
    "  add FILE [--tld TLD[,TLD...]] [--from-file F] NAME...\n"
    "                                add names; a bare name is combined with each TLD\n"
    "                                given (or, without --tld, each ticked TLD)\n"
    "  construct FILE KEYWORD [--start WORDS] [--end WORDS] [--kind N] [--dash]\n"
    "            [--no-start] [--no-end] [--no-both] [--tld LIST]\n"
    "                                build names from a keyword and padding words;\n"
    "                                without --start/--end, the word lists of kind N:\n"
    "                                0 All, 1 Business, 2 Educational, 3 Fun,\n"
    "                                4 Sports, 5 Custom (default 0); --dash also\n"
    "                                joins with \"-\", --no-both pads one side only\n"
    "  select FILE (--all | --none | NAME...)\n"
    "                                tick names for lookup\n"
    "  lookup FILE [--max-connections N] [--interval SECONDS] [--timeout SECONDS]\n"
    "                                look the ticked names up and save the results\n"
    "  list FILE [--json]            print the list\n"
    "  tld list | tld set TLD SERVER | tld reset\n"
    "                                show or change the table of TLDs and whois servers\n"
    "\n"
    "--home DIR uses DIR as Telvaro's program folder (like TELVARO_HOME=DIR).\n";

int Dispatch(const QString& command, CCliArgs& args)
{
    if (command == QLatin1String("new"))
        return RunNew(args);
    if (command == QLatin1String("add"))
        return RunAdd(args);
    if (command == QLatin1String("construct"))
        return RunConstruct(args);
    if (command == QLatin1String("select"))
        return RunSelect(args);
    if (command == QLatin1String("lookup"))
        return RunLookup(args);
    if (command == QLatin1String("list"))
        return RunList(args);
    if (command == QLatin1String("tld"))
        return RunTld(args);
    throw CCliError{QStringLiteral("unknown command '%1'").arg(command), kExitUsage};
}

}

void RequireNoOptionsLeft(const CCliArgs& args)
{
    if (const auto option = args.UnknownOption())
        throw CCliError{QStringLiteral("unknown option %1").arg(*option), kExitUsage};
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Telvaro"));
    QCoreApplication::setApplicationName(QStringLiteral("Telvaro"));
    SetUserMessageHandler([](const QString& text) { std::fprintf(stderr, "telvaro-cli: %s\n", qPrintable(text)); });

    CCliArgs args(QCoreApplication::arguments().mid(1));
    int status = 0;
    try {
        if (args.TakeFlag(QStringLiteral("--help")) || args.TakeFlag(QStringLiteral("-h"))) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (args.TakeFlag(QStringLiteral("--version"))) {
            std::printf("telvaro-cli %s\n", TELVARO_VERSION);
            return 0;
        }
        if (const auto home = args.TakeOption(QStringLiteral("--home")))
            qputenv("TELVARO_HOME", QDir(*home).absolutePath().toLocal8Bit());
        const auto command = args.TakeOperand();
        if (!command) {
            std::fputs(kUsage, stderr);
            return kExitUsage;
        }
        ReportResult(LoadTLDTable());
        status = Dispatch(*command, args);
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
