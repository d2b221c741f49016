#include "DnsServerState.h"

#include "DnsReplyWriter.h"
#include "DnsRequest.h"

#include <utility>

CDnsServerState::CDnsServerState(CDnsBehaviour defaultBehaviour)
    : m_shared(std::move(defaultBehaviour))
{
}

void CDnsServerState::SetDefaultBehaviour(CDnsBehaviour behaviour)
{
    m_shared.SetDefaultBehaviour(std::move(behaviour));
}

void CDnsServerState::SetBehaviour(std::string name, CDnsBehaviour behaviour)
{
    if (!name.empty() && name.back() == '.')
        name.pop_back();
    m_shared.SetBehaviour(name, std::move(behaviour));
}

std::optional<CDnsServerState::CReply> CDnsServerState::Reply(std::string_view query, bool bTcp)
{
    const std::optional<CDnsRequest> request = CDnsRequest::Read(query);
    if (!request)
        return std::nullopt;
    m_shared.AddRequest({request->m_strName, request->m_nType, bTcp});
    CDnsBehaviour behaviour = m_shared.BehaviourFor(request->m_strName);
    if (behaviour.m_forName)
        behaviour = behaviour.m_forName(request->m_strName);
    if (behaviour.m_bDrop)
        return std::nullopt;
    return CReply{CDnsReplyWriter::Write(*request, behaviour, !bTcp),
                  behaviour.m_delay + (bTcp ? behaviour.m_tcpDelay : CDnsBehaviour::Millis{0})};
}

std::vector<CDnsQueryRecord> CDnsServerState::Queries() const
{
    return m_shared.Requests();
}

bool CDnsServerState::WaitForQueries(std::size_t n, std::chrono::milliseconds timeout) const
{
    return m_shared.WaitForRequests(n, timeout);
}
