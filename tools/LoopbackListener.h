#pragma once

#include "LoopbackSession.h"
#include "StopSignal.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The listening sockets of a loopback server and the thread that accepts
// from them, handing every client to a session of its own.
class CLoopbackListener
{
public:
    // Makes the session for a connected, non-blocking socket that it then
    // owns; nListener tells which Listen() call the client came in through.
    using Spawn = std::function<std::unique_ptr<CLoopbackSession>(int hSocket, std::size_t nListener)>;

    explicit CLoopbackListener(CStopSignal& stop);
    ~CLoopbackListener();
    CLoopbackListener(const CLoopbackListener&) = delete;
    CLoopbackListener& operator=(const CLoopbackListener&) = delete;

    // Listens on 127.0.0.1 (and on ::1 too when asked) at the port, or at a
    // free one for 0, and returns the port. Only before Start(); throws
    // std::system_error when it cannot.
    uint16_t Listen(uint16_t port, bool bIPv6);
    // The same on 127.0.0.1 only, with a datagram socket bound at the same
    // port, which the caller then owns.
    uint16_t ListenWithDatagram(uint16_t port, int* phDatagram);
    // A session that came some other way (one that serves a datagram
    // socket, say), kept and joined like the accepted ones. Only before
    // Start().
    void Keep(std::unique_ptr<CLoopbackSession> session);
    void Start(Spawn spawn);
    // Raises the stop, closes the listeners and joins every thread. Repeatable.
    void Stop();

    // A loopback port with nothing listening on it, for refused connections.
    static uint16_t RefusedPort();

private:
    struct CListening
    {
        int m_hSocket;
        std::size_t m_nListener;
    };

    void AcceptLoop();
    void AcceptFrom(const CListening& listening);

    CStopSignal& m_stop;
    Spawn m_spawn;
    std::vector<CListening> m_listening;
    std::size_t m_nListens = 0;
    std::mutex m_stopMutex;
    bool m_bStopped = false;
    // Touched only by the accept thread, and by Stop() once it has ended.
    std::vector<std::unique_ptr<CLoopbackSession>> m_sessions;
    std::thread m_acceptThread;
};
