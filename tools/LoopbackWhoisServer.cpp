#include "LoopbackWhoisServer.h"

#include <memory>
#include <utility>

CLoopbackWhoisServer::CLoopbackWhoisServer(CWhoisBehaviour defaultBehaviour, bool bIPv6, uint16_t port)
    : m_state(std::move(defaultBehaviour))
{
    m_port = m_listener.Listen(port, bIPv6);
    m_listener.Start([this](int hSocket, std::size_t) {
        return std::make_unique<CLoopbackConnection>(hSocket, m_state, m_stop);
    });
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

void CLoopbackWhoisServer::LieAfter(std::size_t nTruthful, std::string notFound, std::size_t nLies)
{
    m_state.LieAfter(nTruthful, CWhoisBehaviour::Template(std::move(notFound)), nLies);
}

void CLoopbackWhoisServer::LimitRate(std::size_t nPerSecond, std::string limited)
{
    m_state.LimitRate(nPerSecond, CWhoisBehaviour::Template(std::move(limited)));
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
    m_listener.Stop();
}

uint16_t CLoopbackWhoisServer::RefusedPort()
{
    return CLoopbackListener::RefusedPort();
}
