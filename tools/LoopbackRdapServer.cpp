#include "LoopbackRdapServer.h"

#include "RdapConnection.h"

#include <utility>

CLoopbackRdapServer::CLoopbackRdapServer(CRdapServerOptions options)
    : m_state(std::move(options.m_default))
{
    if (!options.m_strCertFile.empty() || !options.m_strKeyFile.empty())
        m_pTls = std::make_unique<CTlsContext>(options.m_strCertFile, options.m_strKeyFile);
    m_nHttpPort = m_listener.Listen(options.m_nHttpPort, options.m_bIPv6);
    if (m_pTls)
        m_nHttpsPort = m_listener.Listen(options.m_nHttpsPort, options.m_bIPv6);
    const CTlsContext* pTls = m_pTls.get();
    m_listener.Start([this, pTls, idle = options.m_idleTimeout](int hSocket, std::size_t nListener) {
        return std::make_unique<CRdapConnection>(hSocket, m_state, m_stop, nListener == 1 ? pTls : nullptr, idle);
    });
}

namespace {

CRdapServerOptions WithDefault(CRdapBehaviour behaviour)
{
    CRdapServerOptions options;
    options.m_default = std::move(behaviour);
    return options;
}

} // namespace

CLoopbackRdapServer::CLoopbackRdapServer(CRdapBehaviour defaultBehaviour)
    : CLoopbackRdapServer(WithDefault(std::move(defaultBehaviour)))
{
}

CLoopbackRdapServer::~CLoopbackRdapServer()
{
    Stop();
}

std::string CLoopbackRdapServer::HttpUrl(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_nHttpPort) + path;
}

std::string CLoopbackRdapServer::HttpsUrl(const std::string& path) const
{
    return "https://127.0.0.1:" + std::to_string(m_nHttpsPort) + path;
}

void CLoopbackRdapServer::SetDefaultBehaviour(CRdapBehaviour behaviour)
{
    m_state.SetDefaultBehaviour(std::move(behaviour));
}

void CLoopbackRdapServer::SetBehaviour(const std::string& nameOrPath, CRdapBehaviour behaviour, RdapListener on)
{
    m_state.SetBehaviour(RdapScriptKey(on, nameOrPath), std::move(behaviour));
}

std::vector<CRdapRequest> CLoopbackRdapServer::Requests() const
{
    return m_state.Requests();
}

std::size_t CLoopbackRdapServer::RequestCount() const
{
    return m_state.RequestCount();
}

bool CLoopbackRdapServer::WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const
{
    return m_state.WaitForRequests(n, timeout);
}

std::size_t CLoopbackRdapServer::AcceptedCount() const
{
    return m_state.AcceptedCount();
}

std::size_t CLoopbackRdapServer::OpenCount() const
{
    return m_state.OpenCount();
}

std::size_t CLoopbackRdapServer::MaxOpenCount() const
{
    return m_state.MaxOpenCount();
}

void CLoopbackRdapServer::Stop()
{
    m_listener.Stop();
}
