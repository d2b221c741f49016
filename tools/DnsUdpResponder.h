#pragma once

#include "LoopbackSession.h"

#include <thread>

class CDnsServerState;
class CStopSignal;

// Answers every datagram of the loopback DNS server on one thread, until the
// server stops. Delayed answers wait in a list, so a slow name never holds
// up the others.
class CDnsUdpResponder : public CLoopbackSession
{
public:
    // Takes ownership of the bound, non-blocking datagram socket.
    CDnsUdpResponder(int hSocket, CDnsServerState& state, CStopSignal& stop);
    ~CDnsUdpResponder() override;   // joins the thread, then closes the socket
    CDnsUdpResponder(const CDnsUdpResponder&) = delete;
    CDnsUdpResponder& operator=(const CDnsUdpResponder&) = delete;

private:
    void Serve();

    int m_hSocket;
    CDnsServerState& m_state;
    CStopSignal& m_stop;
    std::thread m_thread;   // last: starts once the rest is set up
};
