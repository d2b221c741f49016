#include "LoopbackWhoisServer.h"

#include "LoopbackConnection.h"

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

CLoopbackWhoisServer::CLoopbackWhoisServer(CWhoisBehaviour defaultBehaviour, bool bIPv6, uint16_t port)
    : m_state(std::move(defaultBehaviour))
{
    // ::1 takes the port that 127.0.0.1 got; should that one be taken on
    // ::1, a fresh pick usually is not.
    for (int attempt = 0; m_listeners.empty(); ++attempt) {
        const int v4 = Listening(AF_INET, port);
        if (v4 < 0)
            ThrowErrno("listen on 127.0.0.1");
        m_port = LocalPort(v4);
        if (!bIPv6) {
            m_listeners = {v4};
            break;
        }
        const int v6 = Listening(AF_INET6, m_port);
        if (v6 >= 0) {
            m_listeners = {v4, v6};
            break;
        }
        const int error = errno;
        ::close(v4);
        if (error != EADDRINUSE || port != 0 || attempt == 10) {
            errno = error;
            ThrowErrno("listen on ::1");
        }
    }
    try {
        m_acceptThread = std::thread(&CLoopbackWhoisServer::AcceptLoop, this);
    } catch (...) {
        for (int fd : m_listeners)
            ::close(fd);
        throw;
    }
}

CLoopbackWhoisServer::~CLoopbackWhoisServer()
{
    Stop();
}

std::string CLoopbackWhoisServer::Address() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

void CLoopbackWhoisServer::SetDefaultBehaviour(CWhoisBehaviour behaviour)
{
    m_state.SetDefaultBehaviour(std::move(behaviour));
}

void CLoopbackWhoisServer::SetBehaviour(const std::string& name, CWhoisBehaviour behaviour)
{
    m_state.SetBehaviour(name, std::move(behaviour));
}

std::vector<std::string> CLoopbackWhoisServer::Requests() const
{
    return m_state.Requests();
}

bool CLoopbackWhoisServer::WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const
{
    return m_state.WaitForRequests(n, timeout);
}

std::size_t CLoopbackWhoisServer::AcceptedCount() const
{
    return m_state.AcceptedCount();
}

std::size_t CLoopbackWhoisServer::OpenCount() const
{
    return m_state.OpenCount();
}

std::size_t CLoopbackWhoisServer::MaxOpenCount() const
{
    return m_state.MaxOpenCount();
}

void CLoopbackWhoisServer::Stop()
{
    std::lock_guard lock(m_stopMutex);
    if (m_bStopped)
        return;
    m_bStopped = true;
    m_stop.Raise();
    m_acceptThread.join();
    // Refuse newcomers first, then let every connection thread close up.
    for (int fd : m_listeners)
        ::close(fd);
    m_listeners.clear();
    m_connections.clear();
}

uint16_t CLoopbackWhoisServer::RefusedPort()
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

void CLoopbackWhoisServer::AcceptLoop()
{
    std::vector<pollfd> fds;
    for (int fd : m_listeners)
        fds.push_back({fd, POLLIN, 0});
    while (m_stop.WaitFor(fds, CStopSignal::Clock::time_point::max()) == CStopSignal::Wait::Ready) {
        for (const pollfd& p : fds)
            if (p.revents != 0)
                AcceptFrom(p.fd);
    }
}

void CLoopbackWhoisServer::AcceptFrom(int hListener)
{
    for (;;) {
        const int fd = ::accept4(hListener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (AcceptErrorIsTransient(errno))
                continue;
            // Out of descriptors or memory: the client waits in the backlog
            // while finished connections free theirs.
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                m_stop.Sleep(std::chrono::milliseconds(10));
            return;
        }
        std::erase_if(m_connections, [](const auto& c) { return c->IsDone(); });
        try {
            m_connections.push_back(std::make_unique<CLoopbackConnection>(fd, m_state, m_stop));
        } catch (const std::system_error&) {
            // No thread to spare; the connection was closed, the next may fare better.
            m_stop.Sleep(std::chrono::milliseconds(10));
        }
    }
}
