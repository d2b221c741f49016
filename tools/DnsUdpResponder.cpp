#include "DnsUdpResponder.h"

#include "DnsServerState.h"
#include "StopSignal.h"

#include <algorithm>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// The largest datagram; a query is far smaller.
constexpr std::size_t kMaxDatagram = 65536;

// A delayed answer and where it goes.
struct SPending
{
    CStopSignal::Clock::time_point m_due;
    std::string m_bytes;
    sockaddr_storage m_peer{};
    socklen_t m_nPeerLength = 0;
};

} // namespace

CDnsUdpResponder::CDnsUdpResponder(int hSocket, CDnsServerState& state, CStopSignal& stop)
    : m_hSocket(hSocket)
    , m_state(state)
    , m_stop(stop)
{
    try {
        m_thread = std::thread(&CDnsUdpResponder::Serve, this);
    } catch (...) {
        ::close(m_hSocket);
        throw;
    }
}

CDnsUdpResponder::~CDnsUdpResponder()
{
    m_thread.join();
    ::close(m_hSocket);
}

void CDnsUdpResponder::Serve()
{
    using Clock = CStopSignal::Clock;
    std::vector<SPending> pending;
    std::vector<char> buffer(kMaxDatagram);
    pollfd udp{m_hSocket, POLLIN, 0};
    for (;;) {
        Clock::time_point next = Clock::time_point::max();
        for (const SPending& p : pending)
            next = std::min(next, p.m_due);
        const CStopSignal::Wait wait = m_stop.WaitFor(std::span<pollfd>(&udp, 1), next);
        if (wait == CStopSignal::Wait::Stopped)
            break;
        while (wait == CStopSignal::Wait::Ready) {
            SPending p;
            p.m_nPeerLength = sizeof p.m_peer;
            const ssize_t n = ::recvfrom(m_hSocket, buffer.data(), buffer.size(), 0,
                                         reinterpret_cast<sockaddr*>(&p.m_peer), &p.m_nPeerLength);
            if (n < 0)
                break;
            std::optional<CDnsServerState::CReply> reply =
                m_state.Reply(std::string_view(buffer.data(), std::size_t(n)), false);
            if (!reply)
                continue;
            p.m_due = Clock::now() + reply->m_delay;
            p.m_bytes = std::move(reply->m_bytes);
            pending.push_back(std::move(p));
        }
        const Clock::time_point now = Clock::now();
        std::erase_if(pending, [&](const SPending& p) {
            if (p.m_due > now)
                return false;
            // A full send buffer or a client gone: a lost datagram, as on a network.
            ::sendto(m_hSocket, p.m_bytes.data(), p.m_bytes.size(), MSG_NOSIGNAL,
                     reinterpret_cast<const sockaddr*>(&p.m_peer), p.m_nPeerLength);
            return true;
        });
    }
    MarkDone();
}
