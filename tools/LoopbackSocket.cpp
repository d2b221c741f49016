#include "LoopbackSocket.h"

#include <algorithm>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool WouldBlock(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK;
}

} // namespace

CLoopbackSocket::CLoopbackSocket(int hSocket, CStopSignal& stop)
    : m_hSocket(hSocket)
    , m_stop(stop)
{
}

CLoopbackSocket::~CLoopbackSocket()
{
    Close();
}

void CLoopbackSocket::SetNoDelay()
{
    const int on = 1;
    ::setsockopt(m_hSocket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

CLoopbackSocket::Status CLoopbackSocket::ReceiveSome(std::string& out, std::size_t nMax, Clock::time_point deadline)
{
    char buffer[16384];
    for (;;) {
        switch (m_stop.WaitFor(m_hSocket, POLLIN, deadline)) {
        case CStopSignal::Wait::Stopped:
            return Status::Stopped;
        case CStopSignal::Wait::TimedOut:
            return Status::TimedOut;
        case CStopSignal::Wait::Ready:
            break;
        }
        const ssize_t n = ::recv(m_hSocket, buffer, std::min(sizeof buffer, nMax), 0);
        if (n > 0) {
            out.append(buffer, std::size_t(n));
            return Status::Ok;
        }
        if (n == 0)
            return Status::Closed;
        if (errno != EINTR && !WouldBlock(errno))
            return Status::Failed;
    }
}

bool CLoopbackSocket::SendAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        // No SIGPIPE: a client that went away only ends this connection.
        const ssize_t n = ::send(m_hSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n >= 0)
            bytes.remove_prefix(std::size_t(n));
        else if (WouldBlock(errno)) {
            if (m_stop.WaitFor(m_hSocket, POLLOUT) != CStopSignal::Wait::Ready)
                return false;
        } else if (errno != EINTR)
            return false;
    }
    return true;
}

void CLoopbackSocket::EndOutput()
{
    ::shutdown(m_hSocket, SHUT_WR);
}

void CLoopbackSocket::DiscardUntilClosed(Clock::time_point deadline)
{
    char buffer[1024];
    while (m_stop.WaitFor(m_hSocket, POLLIN, deadline) == CStopSignal::Wait::Ready) {
        const ssize_t n = ::recv(m_hSocket, buffer, sizeof buffer, 0);
        if (n == 0 || (n < 0 && errno != EINTR && !WouldBlock(errno)))
            return;
    }
}

void CLoopbackSocket::Close()
{
    if (m_hSocket >= 0)
        ::close(m_hSocket);
    m_hSocket = -1;
}
