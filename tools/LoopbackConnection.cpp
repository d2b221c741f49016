#include "LoopbackConnection.h"

#include "LoopbackState.h"
#include "StopSignal.h"
#include "WhoisBehaviour.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A whois request is one short line; more than this is a broken client.
constexpr std::size_t kMaxRequest = 4096;
constexpr std::size_t kHugeBlock = 64 * 1024;
// How long a finished connection waits for the client to close first.
constexpr std::chrono::seconds kLinger{2};

// The queried name: the request without its line end.
std::string NameOf(const std::string& request)
{
    std::string name = request.substr(0, request.find('\n'));
    if (!name.empty() && name.back() == '\r')
        name.pop_back();
    return name;
}

bool WouldBlock(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK;
}

} // namespace

CLoopbackConnection::CLoopbackConnection(int hSocket, CLoopbackState& state, CStopSignal& stop)
    : m_hSocket(hSocket)
    , m_state(state)
    , m_stop(stop)
{
    try {
        m_thread = std::thread(&CLoopbackConnection::Serve, this);
    } catch (...) {
        ::close(m_hSocket);
        throw;
    }
}

CLoopbackConnection::~CLoopbackConnection()
{
    m_thread.join();
}

void CLoopbackConnection::Serve()
{
    m_state.ConnectionOpened();
    if (!m_state.BehaviourBeforeRequest()) {
        const std::string request = ReadRequest();
        if (!request.empty())
            m_state.AddRequest(request);
        const std::string name = NameOf(request);
        const CWhoisBehaviour behaviour = m_state.BehaviourFor(name);
        if (!behaviour.m_bCloseAtOnce)
            Play(behaviour, name);
    }
    Finish();
    ::close(m_hSocket);
    m_bDone.store(true, std::memory_order_release);
}

std::string CLoopbackConnection::ReadRequest()
{
    std::string request;
    char buffer[1024];
    while (request.size() < kMaxRequest && request.find('\n') == std::string::npos) {
        if (m_stop.WaitFor(m_hSocket, POLLIN) != CStopSignal::Wait::Ready)
            break;
        const ssize_t n = ::recv(m_hSocket, buffer, std::min(sizeof buffer, kMaxRequest - request.size()), 0);
        if (n > 0)
            request.append(buffer, std::size_t(n));
        else if (n == 0 || (errno != EINTR && !WouldBlock(errno)))
            break;
    }
    return request;
}

void CLoopbackConnection::Play(const CWhoisBehaviour& behaviour, const std::string& name)
{
    if (!m_stop.Sleep(behaviour.m_delay))
        return;
    if (behaviour.m_nHuge > 0) {
        for (std::size_t sent = 0; sent < behaviour.m_nHuge; sent += kHugeBlock)
            if (!SendAll(CWhoisBehaviour::HugeText(sent, std::min(kHugeBlock, behaviour.m_nHuge - sent))))
                return;
    } else {
        const std::vector<std::string> pieces = behaviour.Pieces(name);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if ((i > 0 && !m_stop.Sleep(behaviour.m_pause)) || !SendAll(pieces[i]))
                return;
    }
    // Held until the server stops or the client gives up; what it sends
    // meanwhile is dropped.
    if (behaviour.m_bHoldOpen)
        DiscardUntilClosed(std::chrono::steady_clock::time_point::max());
}

bool CLoopbackConnection::SendAll(std::string_view bytes)
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

// Counts the connection as served before the FIN goes out, so a client that
// connects again after reading the end never sees the previous one still
// open. Then lets the client close first: closing with its input unread
// would answer anything it still sends with a reset.
void CLoopbackConnection::Finish()
{
    m_state.ConnectionServed();
    ::shutdown(m_hSocket, SHUT_WR);
    DiscardUntilClosed(CStopSignal::Clock::now() + kLinger);
}

void CLoopbackConnection::DiscardUntilClosed(std::chrono::steady_clock::time_point deadline)
{
    char buffer[1024];
    while (m_stop.WaitFor(m_hSocket, POLLIN, deadline) == CStopSignal::Wait::Ready) {
        const ssize_t n = ::recv(m_hSocket, buffer, sizeof buffer, 0);
        if (n == 0 || (n < 0 && errno != EINTR && !WouldBlock(errno)))
            return;
    }
}
