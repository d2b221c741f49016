// lookup: "Lookup Selected" with the real scheduler, until nothing runs.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "cli/ProgressReporter.h"
#include "lookup/LookupScheduler.h"
#include "base/Settings.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnInterrupt(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

constexpr CCliOption kOptions[] = {
    {"--max-connections", "N", "lookups at once (default: the stored setting)"},
    {"--interval", "SECONDS", "pause between scheduling steps, 0 to 3600 (default: the stored setting)"},
    {"--timeout", "SECONDS", "time limit of one lookup, 0 for none (default: the stored setting)"},
    {"--server-connections", "N", "lookups at once per server, 0 for no pacing (default: the stored setting)"},
    {"--control-names", "NAME[,NAME...]", "names known to be registered, asked now and then to check each server"},
    {"--no-control-names", nullptr, "ask no known names to check the servers"},
    {"--no-resolve", nullptr, "ask DNS nothing: free names stay unconfirmed, taken ones get no address"},
};

int NumberOption(const CCliArgs& args, const char* name, int fallback, int minimum)
{
    const auto text = args.Value(name);
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < minimum)
        throw UsageError(QStringLiteral("%1 needs a whole number of at least %2").arg(QString::fromLatin1(name)).arg(minimum));
    return value;
}

int IntervalOption(const CCliArgs& args)
{
    const auto text = args.Value("--interval");
    if (!text)
        return Settings::ConnectionInterval.Get() * 1000;
    bool ok = false;
    const double seconds = text->toDouble(&ok);
    if (!ok || seconds < 0 || seconds > 3600)
        throw UsageError(QStringLiteral("--interval needs a number of seconds from 0 to 3600"));
    return int(seconds * 1000);
}

void PrintSummary(const CDomainDoc& doc)
{
    int counts[9] = {};
    for (const auto& r : doc.Records()) {
        if (r->m_bSelected)
            ++counts[r->m_nStatus < 9 ? r->m_nStatus : 5];
    }
    const int failed = counts[4] + counts[5] + counts[6] + counts[7] + counts[8];
    std::fprintf(stderr, "%d available, %d taken, %d failed, %d not looked up\n", counts[STATUS_AVAILABLE],
                 counts[STATUS_TAKEN], failed, counts[STATUS_UNKNOWN] + counts[STATUS_CHECKING]);
}

// "Lookup Selected" until nothing runs; true when Ctrl-C stopped it.
bool RunLookups(CDomainDoc& doc, const CLookupOptions& options)
{
    bool interrupted = false;
    {
        CLookupScheduler scheduler(&doc, options);
        CProgressReporter progress;
        QEventLoop loop;
        auto check = [&] {
            progress.Update(scheduler.ProgressDone(), scheduler.ProgressTotal());
            if (!scheduler.IsBusy())
                loop.quit();
        };
        QObject::connect(&scheduler, &CLookupScheduler::Ticked, &loop, check);
        QObject::connect(&scheduler, &CLookupScheduler::LookupFinished, &loop, check);
        QObject::connect(&scheduler, &CLookupScheduler::ServerPaused, &loop,
                         [&](const QString& server, int seconds, const QString& reason) {
                             progress.Note(QStringLiteral("%1 asked to be asked less often (%2); its names wait %3 s.")
                                               .arg(server, reason.isEmpty() ? QStringLiteral("rate limit") : reason)
                                               .arg(seconds));
                         });

        // Ctrl-C stops every lookup; the loop ends once they have reported.
        if (::pipe(g_signalPipe) != 0)
            throw CCliError{QStringLiteral("could not set up signal handling")};
        QSocketNotifier interrupt(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(&interrupt, &QSocketNotifier::activated, &loop, [&] {
            char c;
            [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &c, 1);
            if (!interrupted) {
                interrupted = true;
                std::fputs("\nStopping...\n", stderr);
                scheduler.StopAll();
            }
            check();
        });
        std::signal(SIGINT, OnInterrupt);
        std::signal(SIGTERM, OnInterrupt);

        scheduler.LookupSelected();
        scheduler.OnTimer();   // start at once rather than after one interval
        if (scheduler.IsBusy())
            loop.exec();
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        progress.Finish(scheduler.ProgressDone(), scheduler.ProgressTotal());
        ::close(g_signalPipe[0]);
        ::close(g_signalPipe[1]);
    }
    return interrupted;
}

class CLookupCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "lookup"; }
    const char* Synopsis() const override
    {
        return "FILE [--max-connections N] [--interval SECONDS] [--timeout SECONDS]\n"
               "            [--server-connections N] [--control-names NAMES | --no-control-names]\n"
               "            [--no-resolve]";
    }
    const char* Summary() const override { return "look the ticked names up and save the results"; }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Write; }

    void Prepare(const CCliArgs& args, const QStringList& operands) override
    {
        CDocumentCommand::Prepare(args, operands);
        m_options = CLookupOptions::FromSettings(CLookupOptions::Moment::AsStored);
        m_options.m_nMaxConnections = NumberOption(args, "--max-connections", Settings::MaxConnections.Get(), 1);
        m_options.m_nIntervalMs = IntervalOption(args);
        m_options.m_nTimeoutSeconds = NumberOption(args, "--timeout", m_options.m_nTimeoutSeconds, 0);
        m_options.m_nServerConnections = NumberOption(args, "--server-connections", m_options.m_nServerConnections, 0);
        if (args.Has("--no-control-names"))
            m_options.m_bControlNames = false;
        if (args.Has("--no-resolve"))
            m_options.m_bResolveNames = false;
        if (const auto names = args.Value("--control-names")) {
            for (const QString& name : names->split(QLatin1Char(','), Qt::SkipEmptyParts))
                m_options.m_controlNames << name.trimmed().toLatin1();
        }
    }

    int RunOn(CCliDocument& file, const CCliArgs&, const QStringList&) override
    {
        const bool interrupted = RunLookups(file.Doc(), m_options);
        file.Save();
        PrintSummary(file.Doc());
        return interrupted ? kExitInterrupted : 0;
    }

private:
    CLookupOptions m_options;
};

}

std::unique_ptr<CCliCommand> MakeLookupCommand()
{
    return std::make_unique<CLookupCommand>();
}
