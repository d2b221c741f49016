#include "LoopbackConnection.h"

#include <algorithm>
#include <utility>

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

} // namespace

CLoopbackConnection::CLoopbackConnection(int hSocket, CWhoisState& state, CStopSignal& stop)
    : m_socket(hSocket, stop)
    , m_state(state)
    , m_stop(stop)
{
    m_thread = std::thread(&CLoopbackConnection::Serve, this);
}

CLoopbackConnection::~CLoopbackConnection()
{
    m_thread.join();
}

void CLoopbackConnection::Serve()
{
    m_state.ConnectionOpened();
    if (!m_state.BehaviourBeforeRequest()) {
        std::string request = ReadRequest();
        const std::string name = NameOf(request);
        const CWhoisBehaviour behaviour = m_state.BehaviourForRequest(std::move(request), name);
        if (!behaviour.m_bCloseAtOnce)
            Play(behaviour, name);
    }
    Finish();
    m_socket.Close();
    MarkDone();
}

std::string CLoopbackConnection::ReadRequest()
{
    std::string request;
    while (request.size() < kMaxRequest && request.find('\n') == std::string::npos)
        if (m_socket.ReceiveSome(request, kMaxRequest - request.size(), CLoopbackSocket::Clock::time_point::max())
            != CLoopbackSocket::Status::Ok)
            break;
    return request;
}

void CLoopbackConnection::Play(const CWhoisBehaviour& behaviour, const std::string& name)
{
    if (!m_stop.Sleep(behaviour.m_delay))
        return;
    if (behaviour.m_nHuge > 0) {
        for (std::size_t sent = 0; sent < behaviour.m_nHuge; sent += kHugeBlock)
            if (!m_socket.SendAll(CWhoisBehaviour::HugeText(sent, std::min(kHugeBlock, behaviour.m_nHuge - sent))))
                return;
    } else {
        const std::vector<std::string> pieces = behaviour.Pieces(name);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if ((i > 0 && !m_stop.Sleep(behaviour.m_pause)) || !m_socket.SendAll(pieces[i]))
                return;
    }
    // Held until the server stops or the client gives up; what it sends
    // meanwhile is dropped.
    if (behaviour.m_bHoldOpen)
        m_socket.DiscardUntilClosed(CLoopbackSocket::Clock::time_point::max());
}

// Counts the connection as served before the FIN goes out, so a client that
// connects again after reading the end never sees the previous one still
// open. Then lets the client close first: closing with its input unread
// would answer anything it still sends with a reset.
void CLoopbackConnection::Finish()
{
    m_state.ConnectionServed();
    m_socket.EndOutput();
    m_socket.DiscardUntilClosed(CLoopbackSocket::Clock::now() + kLinger);
}
