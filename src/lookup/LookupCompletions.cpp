#include "lookup/LookupCompletions.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

struct Shared
{
    std::mutex mutex;
    std::condition_variable finished;
    std::deque<std::shared_ptr<CWhoisConnection>> queue;
    int running = 0;
    int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
};

// Never destroyed: a worker that outlives the application must still find
// its queue and counter.
Shared& State()
{
    static Shared* state = new Shared;
    return *state;
}

QPointer<QSocketNotifier>& Notifier()
{
    static QPointer<QSocketNotifier> notifier;
    return notifier;
}

CLookupCompletions::Handler g_handler = nullptr;

}

void CLookupCompletions::Listen(Handler handler)
{
    g_handler = handler;
    if (Notifier() || !QCoreApplication::instance())
        return;
    auto* notifier = new QSocketNotifier(State().wakeFd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { Drain(); });
    Notifier() = notifier;
}

void CLookupCompletions::WorkerStarting()
{
    std::lock_guard lock(State().mutex);
    ++State().running;
}

void CLookupCompletions::WorkerEnded()
{
    {
        std::lock_guard lock(State().mutex);
        --State().running;
    }
    State().finished.notify_all();
}

void CLookupCompletions::Post(std::shared_ptr<CWhoisConnection> conn)
{
    {
        std::lock_guard lock(State().mutex);
        State().queue.push_back(std::move(conn));
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(State().wakeFd, &one, sizeof one);
    State().finished.notify_all();
}

void CLookupCompletions::Drain()
{
    uint64_t count;
    [[maybe_unused]] const ssize_t n = ::read(State().wakeFd, &count, sizeof count);
    std::deque<std::shared_ptr<CWhoisConnection>> done;
    {
        std::lock_guard lock(State().mutex);
        done.swap(State().queue);
    }
    for (const auto& conn : done) {
        if (g_handler)
            g_handler(conn);
    }
}

bool CLookupCompletions::WaitForAllWorkers(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(State().mutex);
    return State().finished.wait_for(lock, timeout, [] { return State().running == 0; });
}

void CLookupCompletions::NotifyFinished()
{
    State().finished.notify_all();
}

bool CLookupCompletions::WaitUntilImpl(std::chrono::steady_clock::time_point deadline, bool (*pred)(const void*),
                                       const void* ctx)
{
    std::unique_lock lock(State().mutex);
    return State().finished.wait_until(lock, deadline, [&] { return pred(ctx); });
}
