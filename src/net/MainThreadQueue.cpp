#include "net/MainThreadQueue.h"

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
    std::condition_variable changed;
    std::deque<std::function<void()>> tasks;
    int threads = 0;
    int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
};

// Never destroyed: a thread that outlives the application must still find
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

}

void CMainThreadQueue::Listen()
{
    if (Notifier() || !QCoreApplication::instance())
        return;
    auto* notifier = new QSocketNotifier(State().wakeFd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { RunPending(); });
    Notifier() = notifier;
}

void CMainThreadQueue::Post(std::function<void()> task)
{
    {
        std::lock_guard lock(State().mutex);
        State().tasks.push_back(std::move(task));
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(State().wakeFd, &one, sizeof one);
    State().changed.notify_all();
}

void CMainThreadQueue::ThreadStarting()
{
    std::lock_guard lock(State().mutex);
    ++State().threads;
}

void CMainThreadQueue::ThreadEnded()
{
    {
        std::lock_guard lock(State().mutex);
        --State().threads;
    }
    State().changed.notify_all();
}

bool CMainThreadQueue::WaitForThreads(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(State().mutex);
    return State().changed.wait_for(lock, timeout, [] { return State().threads == 0; });
}

bool CMainThreadQueue::WaitUntil(std::chrono::steady_clock::time_point deadline, const std::function<bool()>& pred)
{
    std::unique_lock lock(State().mutex);
    return State().changed.wait_until(lock, deadline, pred);
}

bool CMainThreadQueue::WaitForTask(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(State().mutex);
    return State().changed.wait_until(lock, deadline, [] { return !State().tasks.empty(); });
}

void CMainThreadQueue::RunPending()
{
    uint64_t count;
    [[maybe_unused]] const ssize_t n = ::read(State().wakeFd, &count, sizeof count);
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard lock(State().mutex);
        tasks.swap(State().tasks);
    }
    for (auto& task : tasks)
        task();
}
