#include "LoopbackPorts.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace {

// Free picks that PortPair() tries before it gives up.
constexpr int kPortPicks = 11;

// Closes a socket whose setting up failed, keeping the errno of the failure.
int CloseFailed(int fd)
{
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

} // namespace

void ThrowErrno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

int BoundLoopbackSocket(int family, int type, uint16_t port)
{
    const int fd = ::socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
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
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) < 0)
        return CloseFailed(fd);
    return fd;
}

int ListeningLoopbackSocket(int family, uint16_t port)
{
    const int fd = BoundLoopbackSocket(family, SOCK_STREAM, port);
    if (fd >= 0 && ::listen(fd, SOMAXCONN) < 0)
        return CloseFailed(fd);
    return fd;
}

uint16_t LocalPort(int hSocket)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(hSocket, reinterpret_cast<sockaddr*>(&address), &length) < 0)
        ThrowErrno("getsockname");
    return address.ss_family == AF_INET6 ? ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port)
                                         : ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
}

CPortPair PortPair(uint16_t port, const SocketAt& first, const char* whatFirst, const SocketAt& second,
                   const char* whatSecond)
{
    for (int pick = 1;; ++pick) {
        CPortPair pair;
        pair.m_hFirst = first(port);
        if (pair.m_hFirst < 0)
            ThrowErrno(whatFirst);
        try {
            pair.m_nPort = LocalPort(pair.m_hFirst);
        } catch (...) {
            ::close(pair.m_hFirst);
            throw;
        }
        pair.m_hSecond = second(pair.m_nPort);
        if (pair.m_hSecond >= 0)
            return pair;
        const int error = errno;
        ::close(pair.m_hFirst);
        if (error != EADDRINUSE || port != 0 || pick == kPortPicks) {
            errno = error;
            ThrowErrno(whatSecond);
        }
    }
}
