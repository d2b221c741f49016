#include "net/DnsResult.h"

#include "net/DnsMessage.h"
#include "net/DnsQuestion.h"

namespace {

// Resolvers give up on longer alias chains too.
constexpr qsizetype kMaxAliases = 16;

bool SameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool Contains(const QByteArrayList& chain, const QByteArray& name)
{
    for (const QByteArray& link : chain)
        if (SameName(link, name))
            return true;
    return false;
}

// The queried name and every alias it leads to, in order; a loop ends the
// chain where it comes round.
QByteArrayList AliasChain(const std::vector<CDnsMessage::CRecord>& answers, const QByteArray& name)
{
    QByteArrayList chain{name};
    while (chain.size() <= kMaxAliases) {
        const QByteArray* next = nullptr;
        for (const CDnsMessage::CRecord& r : answers)
            if (r.m_nType == uint16_t(DnsType::CNAME) && r.m_nClass == kDnsClassIN
                && SameName(r.m_strName, chain.last()))
                next = &r.m_strData;
        if (!next || Contains(chain, *next))
            break;
        chain.append(*next);
    }
    return chain;
}

void AddOnce(QByteArrayList* list, const QByteArray& value)
{
    if (!value.isEmpty() && !Contains(*list, value))
        list->append(value);
}

// The data of the records of type owned by a name of the chain.
void Collect(const std::vector<CDnsMessage::CRecord>& records, const QByteArrayList& chain, DnsType type,
             QByteArrayList* out)
{
    for (const CDnsMessage::CRecord& r : records)
        if (r.m_nType == uint16_t(type) && r.m_nClass == kDnsClassIN && Contains(chain, r.m_strName))
            AddOnce(out, r.m_strData);
}

} // namespace

CDnsResult CDnsResult::Failure(Outcome outcome, const QString& why)
{
    CDnsResult result;
    result.m_eOutcome = outcome;
    switch (outcome) {
    case Outcome::TimedOut:
        result.m_strText = QStringLiteral("DNS: timed out");
        break;
    case Outcome::Aborted:
        result.m_strText = QStringLiteral("DNS: stopped");
        break;
    default:
        result.m_strText = QStringLiteral("DNS: ") + why;
        break;
    }
    return result;
}

CDnsResult CDnsResult::FromAnswer(const CDnsMessage& message, const CDnsQuestion& question)
{
    CDnsResult result;
    const QByteArrayList chain = AliasChain(message.m_answers, question.Name());
    Collect(message.m_answers, chain, DnsType::A, &result.m_addresses);
    Collect(message.m_answers, chain, DnsType::NS, &result.m_nameServers);
    if (result.m_nameServers.isEmpty())
        Collect(message.m_authority, chain, DnsType::NS, &result.m_nameServers);

    switch (message.Rcode()) {
    case 0: {
        const bool found = question.Type() == DnsType::NS ? !result.m_nameServers.isEmpty()
                                                           : !result.m_addresses.isEmpty();
        result.m_eOutcome = found ? Outcome::Answer : Outcome::NoData;
        result.m_strText = found ? QStringLiteral("DNS: answered") : QStringLiteral("DNS: no records of that type");
        break;
    }
    case 2:
        result.m_eOutcome = Outcome::ServFail;
        result.m_strText = QStringLiteral("DNS: server failure (SERVFAIL)");
        break;
    case 3:
        result.m_eOutcome = Outcome::NxDomain;
        result.m_strText = QStringLiteral("DNS: no such name (NXDOMAIN)");
        break;
    case 5:
        result.m_eOutcome = Outcome::Refused;
        result.m_strText = QStringLiteral("DNS: query refused (REFUSED)");
        break;
    default:
        result.m_eOutcome = Outcome::Failed;
        result.m_strText = QStringLiteral("DNS: server answered with error code %1").arg(message.Rcode());
        break;
    }
    return result;
}
