#pragma once

#include "net/HostEntrySlot.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>

// The socket of one lookup and its abort flag. Every blocking step waits in
// poll() together with a wake-up descriptor, so that Abort() from another
// thread ends a connect or a receive at once.
class CWhoisSocket
{
public:
    using Clock = std::chrono::steady_clock;
    using Deadline = std::optional<Clock::time_point>;   // none: no limit

    enum class Wait { Ready, Aborted, TimedOut, Failed };
    enum class ConnectResult { Connected, Failed, TimedOut, Aborted };

    CWhoisSocket();
    virtual ~CWhoisSocket();
    CWhoisSocket(const CWhoisSocket&) = delete;
    CWhoisSocket& operator=(const CWhoisSocket&) = delete;

    // No socket library needs starting here; this only closes what is open
    // and marks the object started. It leaves the abort flag alone, so a stop
    // that came early is not forgotten.
    bool Startup(int major, int minor);
    // Opens a non-blocking socket when started; also keeps the abort flag.
    bool Create(int family, int type, int protocol);
    // Closes the socket; safe to call repeatedly.
    bool Close();

    // Any thread: ask the lookup to give up, waking it wherever it waits.
    void Abort();
    bool IsAborted() const { return m_bAbort.load(std::memory_order_acquire); }

    ConnectResult Connect(const CHostAddress& address, Deadline deadline);
    // Waits until the socket is ready for events, the deadline passes or
    // the lookup is aborted.
    Wait WaitFor(short events, Deadline deadline);

private:
    void CloseSocket();

public:
    int m_hSocket = -1;
    uint8_t m_bStarted = 0;
    std::atomic<bool> m_bAbort{false};
    int m_hWake = -1;   // eventfd written by Abort()
};
