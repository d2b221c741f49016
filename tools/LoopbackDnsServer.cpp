#include "LoopbackDnsServer.h"

#include "DnsTcpConnection.h"
#include "DnsUdpResponder.h"

#include <memory>
#include <utility>

CLoopbackDnsServer::CLoopbackDnsServer(CDnsBehaviour defaultBehaviour, uint16_t port)
    : m_state(std::move(defaultBehaviour))
{
    int hUdp = -1;
    m_port = m_listener.ListenWithDatagram(port, &hUdp);
    m_listener.Keep(std::make_unique<CDnsUdpResponder>(hUdp, m_state, m_stop));
    m_listener.Start([this](int hSocket, std::size_t) {
        return std::make_unique<CDnsTcpConnection>(hSocket, m_state, m_stop);
    });
}

CLoopbackDnsServer::~CLoopbackDnsServer()
{
    Stop();
}

std::string CLoopbackDnsServer::Address() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

void CLoopbackDnsServer::SetDefaultBehaviour(CDnsBehaviour behaviour)
{
    m_state.SetDefaultBehaviour(std::move(behaviour));
}

void CLoopbackDnsServer::SetBehaviour(const std::string& name, CDnsBehaviour behaviour)
{
    m_state.SetBehaviour(name, std::move(behaviour));
}

std::vector<CDnsQueryRecord> CLoopbackDnsServer::Queries() const
{
    return m_state.Queries();
}

bool CLoopbackDnsServer::WaitForQueries(std::size_t n, std::chrono::milliseconds timeout) const
{
    return m_state.WaitForQueries(n, timeout);
}

void CLoopbackDnsServer::Stop()
{
    m_listener.Stop();
}
