#pragma once

#include "LoopbackSession.h"
#include "LoopbackSocket.h"
#include "WhoisBehaviour.h"
#include "WhoisState.h"

#include <string>
#include <thread>

// Serves one accepted client of the loopback server on its own thread: reads
// the request line, plays the behaviour chosen for the name, closes. Every
// wait also watches the stop signal.
class CLoopbackConnection : public CLoopbackSession
{
public:
    // Takes ownership of the connected, non-blocking socket.
    CLoopbackConnection(int hSocket, CWhoisState& state, CStopSignal& stop);
    ~CLoopbackConnection() override;   // joins the thread
    CLoopbackConnection(const CLoopbackConnection&) = delete;
    CLoopbackConnection& operator=(const CLoopbackConnection&) = delete;

private:
    void Serve();
    std::string ReadRequest();
    void Play(const CWhoisBehaviour& behaviour, const std::string& name);
    void Finish();

    CLoopbackSocket m_socket;
    CWhoisState& m_state;
    CStopSignal& m_stop;
    std::thread m_thread;   // last: starts once the rest is set up
};
