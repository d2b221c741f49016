#include "LoopbackListener.h"

#include "LoopbackPorts.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

bool AcceptErrorIsTransient(int error)
{
    return error == EINTR || error == ECONNABORTED || error == EPROTO;
}

int ListenOn4(uint16_t port)
{
    return ListeningLoopbackSocket(AF_INET, port);
}

int ListenOn6(uint16_t port)
{
    return ListeningLoopbackSocket(AF_INET6, port);
}

int DatagramOn4(uint16_t port)
{
    return BoundLoopbackSocket(AF_INET, SOCK_DGRAM, port);
}

} // namespace

CLoopbackListener::CLoopbackListener(CStopSignal& stop)
    : m_stop(stop)
{
}

CLoopbackListener::~CLoopbackListener()
{
    Stop();
}

uint16_t CLoopbackListener::Listen(uint16_t port, bool bIPv6)
{
    const std::size_t nListener = m_nListens++;
    if (!bIPv6) {
        const int v4 = ListenOn4(port);
        if (v4 < 0)
            ThrowErrno("listen on 127.0.0.1");
        m_listening.push_back({v4, nListener});
        return LocalPort(v4);
    }
    const CPortPair pair = PortPair(port, ListenOn4, "listen on 127.0.0.1", ListenOn6, "listen on ::1");
    m_listening.push_back({pair.m_hFirst, nListener});
    m_listening.push_back({pair.m_hSecond, nListener});
    return pair.m_nPort;
}

uint16_t CLoopbackListener::ListenWithDatagram(uint16_t port, int* phDatagram)
{
    const CPortPair pair = PortPair(port, ListenOn4, "listen on 127.0.0.1", DatagramOn4, "bind UDP on 127.0.0.1");
    m_listening.push_back({pair.m_hFirst, m_nListens++});
    *phDatagram = pair.m_hSecond;
    return pair.m_nPort;
}

void CLoopbackListener::Keep(std::unique_ptr<CLoopbackSession> session)
{
    try {
        m_sessions.push_back(std::move(session));
    } catch (...) {
        // The session's thread must end before it can be joined.
        m_stop.Raise();
        throw;
    }
}

void CLoopbackListener::Start(Spawn spawn)
{
    m_spawn = std::move(spawn);
    m_acceptThread = std::thread(&CLoopbackListener::AcceptLoop, this);
}

void CLoopbackListener::Stop()
{
    std::lock_guard lock(m_stopMutex);
    if (m_bStopped)
        return;
    m_bStopped = true;
    m_stop.Raise();
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    // Refuse newcomers first, then let every session close up.
    for (const CListening& listening : m_listening)
        ::close(listening.m_hSocket);
    m_listening.clear();
    m_sessions.clear();
}

uint16_t CLoopbackListener::RefusedPort()
{
    // Bound but never listening, then closed: the kernel refuses connections
    // to the port until someone else happens to take it.
    const int fd = BoundLoopbackSocket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        ThrowErrno("bind on 127.0.0.1");
    const uint16_t port = LocalPort(fd);
    ::close(fd);
    return port;
}

void CLoopbackListener::AcceptLoop()
{
    std::vector<pollfd> fds;
    for (const CListening& listening : m_listening)
        fds.push_back({listening.m_hSocket, POLLIN, 0});
    while (m_stop.WaitFor(fds, CStopSignal::Clock::time_point::max()) == CStopSignal::Wait::Ready) {
        for (std::size_t i = 0; i < fds.size(); ++i)
            if (fds[i].revents != 0)
                AcceptFrom(m_listening[i]);
    }
}

void CLoopbackListener::AcceptFrom(const CListening& listening)
{
    for (;;) {
        const int fd = ::accept4(listening.m_hSocket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (AcceptErrorIsTransient(errno))
                continue;
            // Out of descriptors or memory: the client waits in the backlog
            // while finished sessions free theirs.
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                m_stop.Sleep(std::chrono::milliseconds(10));
            return;
        }
        std::erase_if(m_sessions, [](const auto& s) { return s->IsDone(); });
        try {
            m_sessions.push_back(m_spawn(fd, listening.m_nListener));
        } catch (const std::system_error&) {
            // No thread to spare; the session closed the socket, the next
            // client may fare better.
            m_stop.Sleep(std::chrono::milliseconds(10));
        }
    }
}
