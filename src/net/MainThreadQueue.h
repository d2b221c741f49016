#pragma once

#include <chrono>
#include <functional>

// Runs work from background threads on the main (GUI) thread. A background
// thread queues a task under a plain mutex and pokes an eventfd; a socket
// notifier on the main thread runs the queued tasks. Nothing crosses threads
// through Qt's event queue, so every hand-over is visible to ThreadSanitizer.
//
// It also counts background threads, so that the program can wait for them
// before it ends.
class CMainThreadQueue
{
public:
    // Main thread: make sure queued tasks are run (needs a Qt application).
    static void Listen();

    // Any thread: run task on the main thread soon.
    static void Post(std::function<void()> task);

    // A background thread is counted from before it starts until after its
    // last post.
    static void ThreadStarting();
    static void ThreadEnded();
    // Waits until no counted thread runs; false when the timeout came first.
    static bool WaitForThreads(std::chrono::milliseconds timeout);

    // Waits up to deadline until pred() holds; pred is checked again
    // whenever a task is posted or a thread ends.
    static bool WaitUntil(std::chrono::steady_clock::time_point deadline, const std::function<bool()>& pred);

    // Waits up to deadline for a task to be queued; true when one is.
    static bool WaitForTask(std::chrono::steady_clock::time_point deadline);

    // Main thread: run what is queued now (the notifier does this by itself).
    static void RunPending();
};
