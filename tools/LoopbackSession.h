#pragma once

#include <atomic>

// One client of a loopback server as its listener keeps it: it serves the
// client on its own thread and tells when it is done. Destroying it joins
// that thread.
class CLoopbackSession
{
public:
    virtual ~CLoopbackSession() = default;
    // True once the thread has closed the socket and is about to end.
    bool IsDone() const { return m_bDone.load(std::memory_order_acquire); }

protected:
    // The thread's last step, once its socket is closed.
    void MarkDone() { m_bDone.store(true, std::memory_order_release); }

private:
    std::atomic<bool> m_bDone{false};
};
