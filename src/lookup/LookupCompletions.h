#pragma once

#include <chrono>
#include <memory>

class CWhoisConnection;

// Hands finished lookups from worker threads to the GUI thread. Workers put
// their connection in a locked queue and poke an eventfd; a socket notifier
// on the GUI thread drains the queue. Nothing crosses threads through Qt's
// event queue, so every hand-over is visible to ThreadSanitizer.
class CLookupCompletions
{
public:
    using Handler = void (*)(const std::shared_ptr<CWhoisConnection>&);

    // GUI thread: make sure finished lookups are delivered to handler.
    static void Listen(Handler handler);

    // Worker thread bookkeeping: a worker is counted from before its thread
    // starts until after it has posted its result and let go of it.
    static void WorkerStarting();
    static void WorkerEnded();
    static void Post(std::shared_ptr<CWhoisConnection> conn);

    // Waits until no worker runs; false when the timeout passed first.
    static bool WaitForAllWorkers(std::chrono::milliseconds timeout);
    // Wakes anyone in WaitForAllWorkers or waiting for a single worker.
    static void NotifyFinished();
    // Waits (up to deadline) until pred() holds, re-checking on every finish.
    template <class Pred>
    static bool WaitUntil(std::chrono::steady_clock::time_point deadline, Pred pred);

private:
    static bool WaitUntilImpl(std::chrono::steady_clock::time_point deadline, bool (*pred)(const void*),
                              const void* ctx);
    static void Drain();
};

template <class Pred>
bool CLookupCompletions::WaitUntil(std::chrono::steady_clock::time_point deadline, Pred pred)
{
    return WaitUntilImpl(deadline, [](const void* p) { return (*static_cast<const Pred*>(p))(); }, &pred);
}
