#include "DnsTcpConnection.h"

#include "DnsServerState.h"

#include <optional>

namespace {

// A client that sends nothing for this long is let go.
constexpr std::chrono::seconds kIdle{10};

} // namespace

CDnsTcpConnection::CDnsTcpConnection(int hSocket, CDnsServerState& state, CStopSignal& stop)
    : m_socket(hSocket, stop)
    , m_state(state)
    , m_stop(stop)
{
    m_thread = std::thread(&CDnsTcpConnection::Serve, this);
}

CDnsTcpConnection::~CDnsTcpConnection()
{
    m_thread.join();
}

void CDnsTcpConnection::Serve()
{
    while (ServeOne()) {
    }
    m_socket.Close();
    MarkDone();
}

bool CDnsTcpConnection::ServeOne()
{
    std::string prefix;
    std::string query;
    if (!Receive(2, &prefix) || !Receive(std::size_t(uint8_t(prefix[0]) << 8 | uint8_t(prefix[1])), &query))
        return false;
    const std::optional<CDnsServerState::CReply> reply = m_state.Reply(query, true);
    if (!reply)
        return true;   // dropped: the client hears nothing and gives up
    if (reply->m_bytes.size() > 0xffff || !m_stop.Sleep(reply->m_delay))
        return false;
    const std::size_t n = reply->m_bytes.size();
    return m_socket.SendAll(std::string{char(n >> 8), char(n & 0xff)} + reply->m_bytes);
}

bool CDnsTcpConnection::Receive(std::size_t n, std::string* bytes)
{
    bytes->clear();
    const auto deadline = CLoopbackSocket::Clock::now() + kIdle;
    while (bytes->size() < n)
        if (m_socket.ReceiveSome(*bytes, n - bytes->size(), deadline) != CLoopbackSocket::Status::Ok)
            return false;
    return true;
}
