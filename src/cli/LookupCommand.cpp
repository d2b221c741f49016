// lookup: "Lookup Selected" with the real scheduler, until nothing runs.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
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

int NumberOption(CCliArgs& args, const QString& name, int fallback, int minimum)
{
    const auto text = args.TakeOption(name);
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < minimum)
        throw CCliError{QStringLiteral("%1 needs a whole number of at least %2").arg(name).arg(minimum), kExitUsage};
    return value;
}

int IntervalOption(CCliArgs& args)
{
    const auto text = args.TakeOption(QStringLiteral("--interval"));
    if (!text)
        return Settings::ConnectionInterval.Get() * 1000;
    bool ok = false;
    const double seconds = text->toDouble(&ok);
    if (!ok || seconds < 0 || seconds > 3600)
        throw CCliError{QStringLiteral("--interval needs a number of seconds from 0 to 3600"), kExitUsage};
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

}

int RunLookup(CCliArgs& args)
{
    const auto path = args.TakeOperand();
    const int maxConnections = NumberOption(args, QStringLiteral("--max-connections"),
                                            Settings::MaxConnections.Get(), 1);
    const int intervalMs = IntervalOption(args);
    const int timeout = NumberOption(args, QStringLiteral("--timeout"), -1, 0);
    RequireNoOptionsLeft(args);
    if (!path || !args.IsEmpty())
        throw CCliError{QStringLiteral("lookup takes one file"), kExitUsage};

    CCliDocument file(*path, true);
    CDomainDoc& doc = file.Doc();
    CLookupOptions options = CLookupOptions::FromSettings(CLookupOptions::Moment::AsStored);
    options.m_nMaxConnections = maxConnections;
    options.m_nIntervalMs = intervalMs;
    if (timeout >= 0)
        options.m_nTimeoutSeconds = timeout;

    bool interrupted = false;
    int status = 0;
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
    file.Save();
    PrintSummary(doc);
    if (interrupted)
        status = kExitInterrupted;
    return status;
}
