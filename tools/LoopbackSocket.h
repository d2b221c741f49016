#pragma once

#include "StopSignal.h"

#include <cstddef>
#include <string>
#include <string_view>

// One accepted, non-blocking client socket of a loopback server. Every wait
// also watches the stop signal, so Stop() never sits out a silent peer.
class CLoopbackSocket
{
public:
    enum class Status { Ok, Closed, TimedOut, Stopped, Failed };
    using Clock = CStopSignal::Clock;

    // Takes ownership of the socket.
    CLoopbackSocket(int hSocket, CStopSignal& stop);
    ~CLoopbackSocket();
    CLoopbackSocket(const CLoopbackSocket&) = delete;
    CLoopbackSocket& operator=(const CLoopbackSocket&) = delete;

    // Small answers go out at once instead of waiting for the previous
    // segment's acknowledgement.
    void SetNoDelay();

    // Appends what one recv() brings, at most nMax bytes; Ok when it brought any.
    Status ReceiveSome(std::string& out, std::size_t nMax, Clock::time_point deadline);
    bool SendAll(std::string_view bytes);
    // Sends the FIN; the client may still talk.
    void EndOutput();
    // Drops what the client sends until it closes, the deadline passes or
    // the server stops.
    void DiscardUntilClosed(Clock::time_point deadline);
    void Close();

private:
    int m_hSocket;
    CStopSignal& m_stop;
};
