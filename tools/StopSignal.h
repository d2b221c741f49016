#pragma once

#include <atomic>
#include <chrono>
#include <span>

struct pollfd;

// One flag that wakes every waiting thread of the loopback server at once:
// an eventfd that is written once and never read stays readable, so every
// poll() that includes it returns. Waits go through here so that Stop() never
// has to sit out a delay, a pause or a silent peer.
class CStopSignal
{
public:
    enum class Wait { Ready, Stopped, TimedOut };
    using Clock = std::chrono::steady_clock;

    CStopSignal();
    ~CStopSignal();
    CStopSignal(const CStopSignal&) = delete;
    CStopSignal& operator=(const CStopSignal&) = delete;

    void Raise();
    bool IsRaised() const { return m_bRaised.load(std::memory_order_acquire); }

    // Waits until fd has one of the events (or an error or hang-up, which the
    // next recv()/send() reports), the deadline passes or the stop is raised.
    Wait WaitFor(int fd, short events, Clock::time_point deadline);
    // The same for several descriptors; their revents tell which is ready.
    Wait WaitFor(std::span<pollfd> fds, Clock::time_point deadline);
    Wait WaitFor(int fd, short events) { return WaitFor(fd, events, Clock::time_point::max()); }
    // Sleeps for the time given; false when the stop cut it short.
    bool Sleep(std::chrono::milliseconds duration);

private:
    std::atomic<bool> m_bRaised{false};
    int m_hWake = -1;
};
