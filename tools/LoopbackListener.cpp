#include "LoopbackListener.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

[[noreturn]] void ThrowErrno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

// A socket bound to the loopback address of the family; -1 with errno set
// when that fails.
int BoundLoopbackSocket(int family, uint16_t port)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int on = 1;
    // A fixed port must be usable again right after the previous run.
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_storage address{};
    socklen_t length;
    if (family == AF_INET6) {
        ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
        auto& a6 = reinterpret_cast<sockaddr_in6&>(address);
        a6.sin6_family = AF_INET6;
        a6.sin6_addr = in6addr_loopback;
        a6.sin6_port = htons(port);
        length = sizeof a6;
    } else {
        auto& a4 = reinterpret_cast<sockaddr_in&>(address);
        a4.sin_family = AF_INET;
        a4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a4.sin_port = htons(port);
        length = sizeof a4;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) < 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

uint16_t LocalPort(int fd)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) < 0)
        ThrowErrno("getsockname");
    return address.ss_family == AF_INET6 ? ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port)
                                         : ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
}

int Listening(int family, uint16_t port)
{
    const int fd = BoundLoopbackSocket(family, port);
    if (fd >= 0 && ::listen(fd, SOMAXCONN) < 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool AcceptErrorIsTransient(int error)
{
    return error == EINTR || error == ECONNABORTED || error == EPROTO;
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
    // ::1 takes the port that 127.0.0.1 got; should that one be taken on
    // ::1, a fresh pick usually is not.
    for (int attempt = 0;; ++attempt) {
        const int v4 = Listening(AF_INET, port);
        if (v4 < 0)
            ThrowErrno("listen on 127.0.0.1");
        const uint16_t got = LocalPort(v4);
        if (!bIPv6) {
            m_listening.push_back({v4, nListener});
            return got;
        }
        const int v6 = Listening(AF_INET6, got);
        if (v6 >= 0) {
            m_listening.push_back({v4, nListener});
            m_listening.push_back({v6, nListener});
            return got;
        }
        const int error = errno;
        ::close(v4);
        if (error != EADDRINUSE || port != 0 || attempt == 10) {
            errno = error;
            ThrowErrno("listen on ::1");
        }
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
    const int fd = BoundLoopbackSocket(AF_INET, 0);
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
