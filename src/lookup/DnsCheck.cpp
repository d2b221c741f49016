#include "lookup/DnsCheck.h"

#include "net/DnsServer.h"
#include "verdict/DnsNote.h"

namespace {

// "DNS: timed out" says why in the client's words; the line has its own
// "DNS check:" already.
QByteArray Why(const CDnsResult& result)
{
    QString text = result.m_strText;
    if (text.startsWith(QLatin1String("DNS: ")))
        text.remove(0, 5);
    return text.toLatin1();
}

}

namespace DnsCheck {

QByteArray ConfirmFree(CDnsClient& client, const QByteArray& name, const CDnsServer* server,
                       CDnsClient::Clock::time_point deadline)
{
    if (!server)
        return DnsNote::Unconfirmed("no DNS server to ask");
    const CDnsResult result = client.Query(name, DnsType::NS, *server, deadline);
    switch (result.m_eOutcome) {
    case CDnsResult::Outcome::Answer:
        return DnsNote::Delegated(result.m_nameServers);
    case CDnsResult::Outcome::NxDomain:
        return DnsNote::Confirmed("no such name in DNS (NXDOMAIN)");
    case CDnsResult::Outcome::NoData:
        return DnsNote::Confirmed("DNS knows no name servers for it");
    case CDnsResult::Outcome::Aborted:
        return DnsNote::Stopped();
    case CDnsResult::Outcome::ServFail:
    case CDnsResult::Outcome::Refused:
    case CDnsResult::Outcome::TimedOut:
    case CDnsResult::Outcome::Failed:
        break;
    }
    return DnsNote::Unconfirmed(Why(result) + " (" + server->m_strText + ')');
}

std::optional<QByteArray> AddressOf(CDnsClient& client, const QByteArray& name, const CDnsServer& server,
                                    CDnsClient::Clock::time_point deadline)
{
    const CDnsResult result = client.Query(name, DnsType::A, server, deadline);
    if (result.m_eOutcome == CDnsResult::Outcome::Aborted)
        return std::nullopt;
    if (result.m_eOutcome == CDnsResult::Outcome::Answer && !result.m_addresses.isEmpty())
        return result.m_addresses.first();
    return QByteArray("Error");
}

}
