#include "net/WhoisSocket.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

CWhoisSocket::CWhoisSocket()
{
    m_hWake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

CWhoisSocket::~CWhoisSocket()
{
    Close();
    if (m_hWake >= 0)
        ::close(m_hWake);
}

bool CWhoisSocket::Startup(int /*major*/, int /*minor*/)
{
    Close();
    m_bStarted = 1;
    return true;
}

bool CWhoisSocket::Create(int family, int type, int protocol)
{
    CloseSocket();
    if (m_bStarted)
        m_hSocket = ::socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
    return m_hSocket >= 0;
}

void CWhoisSocket::CloseSocket()
{
    if (m_hSocket >= 0) {
        ::close(m_hSocket);
        m_hSocket = -1;
    }
}

bool CWhoisSocket::Close()
{
    CloseSocket();
    m_bStarted = 0;
    return true;
}

void CWhoisSocket::Abort()
{
    m_bAbort.store(true, std::memory_order_release);
    if (m_hWake >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_hWake, &one, sizeof one);
    }
    CHostEntrySlot::WakeWaiters();
}

CWhoisSocket::Wait CWhoisSocket::WaitFor(short events, Deadline deadline)
{
    for (;;) {
        if (IsAborted())
            return Wait::Aborted;
        int timeoutMs = -1;
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
            if (left <= 0)
                return Wait::TimedOut;
            timeoutMs = int(std::min<long long>(left, 1000LL * 3600));
        }
        // Without a wake-up descriptor, look at the abort flag now and then.
        if (m_hWake < 0 && (timeoutMs < 0 || timeoutMs > 50))
            timeoutMs = 50;
        pollfd fds[2] = {{m_hSocket, events, 0}, {m_hWake, POLLIN, 0}};
        const int n = ::poll(fds, m_hWake >= 0 ? 2 : 1, timeoutMs);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Wait::Failed;
        }
        if (IsAborted())
            return Wait::Aborted;
        if (n > 0 && fds[0].revents)
            return Wait::Ready;
    }
}

CWhoisSocket::ConnectResult CWhoisSocket::Connect(const CHostAddress& address, Deadline deadline)
{
    if (::connect(m_hSocket, reinterpret_cast<const sockaddr*>(&address.m_addr), address.m_nLength) == 0)
        return ConnectResult::Connected;
    if (errno != EINPROGRESS && errno != EINTR)
        return ConnectResult::Failed;
    switch (WaitFor(POLLOUT, deadline)) {
    case Wait::Aborted:
        return ConnectResult::Aborted;
    case Wait::TimedOut:
        return ConnectResult::TimedOut;
    case Wait::Failed:
        return ConnectResult::Failed;
    case Wait::Ready:
        break;
    }
    int error = 0;
    socklen_t len = sizeof error;
    if (::getsockopt(m_hSocket, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0)
        return ConnectResult::Failed;
    return ConnectResult::Connected;
}
