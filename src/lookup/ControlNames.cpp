#include "lookup/ControlNames.h"

#include "lookup/ServerPacer.h"
#include "model/TLDFacts.h"

void CControlNames::Clear(const QByteArrayList& given)
{
    m_servers.clear();
    m_given = given;
}

QByteArrayList CControlNames::KnownNames(const QByteArray& tld, const QByteArray& serverKey) const
{
    QByteArrayList names;
    for (const QByteArray& name : m_given) {
        if (name.toLower().endsWith('.' + tld.toLower()))
            names << name;
    }
    if (!names.isEmpty())
        return names;
    const CTLDFact* fact = CTLDFacts::Shipped().FindOrLastLabel(tld);
    if (!fact)
        return {};
    bool sameServer = fact->HasWhoisServer() && CServerPacer::KeyOf(fact->m_strWhoisServer) == serverKey;
    for (const QByteArray& base : fact->m_arrRdapURLs)
        sameServer = sameServer || CServerPacer::KeyOf(base) == serverKey;
    // A name under a multi-label suffix's last label tests the same server.
    return sameServer ? fact->m_arrSampleNames : QByteArrayList();
}

QByteArray CControlNames::Due(const QByteArray& serverKey, const QByteArray& tld)
{
    CServer& server = m_servers[serverKey];
    if (server.m_bRunning || (server.m_bChecked && server.m_nSinceControl < kEvery))
        return {};
    const QByteArrayList names = KnownNames(tld, serverKey);
    if (names.isEmpty()) {
        // Nothing to check this server with; it is not held back for it.
        server.m_bChecked = true;
        server.m_nSinceControl = 0;
        return {};
    }
    return names.at(server.m_nNext++ % names.size());
}

void CControlNames::Started(const QByteArray& serverKey, bool started)
{
    CServer& server = m_servers[serverKey];
    server.m_bRunning = started;
    server.m_nSinceControl = 0;
}

void CControlNames::CountVerdict(const QByteArray& serverKey, const QByteArray& name)
{
    CServer& server = m_servers[serverKey];
    ++server.m_nSinceControl;
    server.m_sinceGood << name;
}

CControlNames::CAnswer CControlNames::OnControlAnswer(const QByteArray& serverKey, const CVerdict& verdict)
{
    CServer& server = m_servers[serverKey];
    server.m_bRunning = false;
    CAnswer answer;
    if (verdict.m_nKind == VerdictKind::Taken) {
        server.m_bChecked = true;
        server.m_sinceGood.clear();
    } else if (verdict.m_nKind == VerdictKind::Free) {
        answer.m_bLying = true;
        answer.m_voided = std::exchange(server.m_sinceGood, {});
        // Asked again, first of all, once the server may be asked again.
        server.m_bChecked = false;
    } else {
        // No verdict (a failure, a rate limit): ask it again next time.
        server.m_nSinceControl = kEvery;
    }
    return answer;
}
