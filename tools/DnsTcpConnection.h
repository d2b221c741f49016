#pragma once

#include "LoopbackSession.h"
#include "LoopbackSocket.h"

#include <cstddef>
#include <string>
#include <thread>

class CDnsServerState;

// Serves one TCP client of the loopback DNS server on its own thread: reads
// length-prefixed queries and answers each, until the client closes, stays
// silent too long or the server stops.
class CDnsTcpConnection : public CLoopbackSession
{
public:
    // Takes ownership of the connected, non-blocking socket.
    CDnsTcpConnection(int hSocket, CDnsServerState& state, CStopSignal& stop);
    ~CDnsTcpConnection() override;   // joins the thread
    CDnsTcpConnection(const CDnsTcpConnection&) = delete;
    CDnsTcpConnection& operator=(const CDnsTcpConnection&) = delete;

private:
    void Serve();
    bool ServeOne();
    bool Receive(std::size_t n, std::string* bytes);

    CLoopbackSocket m_socket;
    CDnsServerState& m_state;
    CStopSignal& m_stop;
    std::thread m_thread;   // last: starts once the rest is set up
};
