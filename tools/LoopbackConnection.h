#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>

class CLoopbackState;
class CStopSignal;
struct CWhoisBehaviour;

// Serves one accepted client of the loopback server on its own thread: reads
// the request line, plays the behaviour chosen for the name, closes. Every
// wait also watches the stop signal.
class CLoopbackConnection
{
public:
    // Takes ownership of the connected, non-blocking socket.
    CLoopbackConnection(int hSocket, CLoopbackState& state, CStopSignal& stop);
    ~CLoopbackConnection();   // joins the thread
    CLoopbackConnection(const CLoopbackConnection&) = delete;
    CLoopbackConnection& operator=(const CLoopbackConnection&) = delete;

    // True once the thread has closed the socket and is about to end.
    bool IsDone() const { return m_bDone.load(std::memory_order_acquire); }

private:
    void Serve();
    std::string ReadRequest();
    void Play(const CWhoisBehaviour& behaviour, const std::string& name);
    bool SendAll(std::string_view bytes);
    void Finish();
    void DiscardUntilClosed(std::chrono::steady_clock::time_point deadline);

    int m_hSocket;
    CLoopbackState& m_state;
    CStopSignal& m_stop;
    std::atomic<bool> m_bDone{false};
    std::thread m_thread;   // last: starts once the rest is set up
};
