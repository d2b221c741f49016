#include "DnsBehaviour.h"

#include <utility>

CDnsBehaviour CDnsBehaviour::NameServers(std::vector<std::string> hosts)
{
    CDnsBehaviour b;
    b.m_nameServers = std::move(hosts);
    return b;
}

CDnsBehaviour CDnsBehaviour::Referral(std::vector<std::string> hosts)
{
    CDnsBehaviour b = NameServers(std::move(hosts));
    b.m_bReferral = true;
    return b;
}

CDnsBehaviour CDnsBehaviour::Addresses(std::vector<std::string> addresses)
{
    CDnsBehaviour b;
    b.m_addresses = std::move(addresses);
    return b;
}

CDnsBehaviour CDnsBehaviour::Alias(std::vector<std::string> chain, std::vector<std::string> addresses)
{
    CDnsBehaviour b = Addresses(std::move(addresses));
    b.m_cnames = std::move(chain);
    return b;
}

CDnsBehaviour CDnsBehaviour::Rcode(uint8_t rcode)
{
    CDnsBehaviour b;
    b.m_nRcode = rcode;
    return b;
}

CDnsBehaviour CDnsBehaviour::Drop()
{
    CDnsBehaviour b;
    b.m_bDrop = true;
    return b;
}

CDnsBehaviour CDnsBehaviour::Delay(Millis delay, CDnsBehaviour then)
{
    then.m_delay = delay;
    return then;
}

CDnsBehaviour CDnsBehaviour::Truncated(CDnsBehaviour whole)
{
    whole.m_bTruncateUdp = true;
    return whole;
}

CDnsBehaviour CDnsBehaviour::Damaged(Damage damage)
{
    CDnsBehaviour b;
    b.m_nameServers = {"ns1.example.net"};
    b.m_addresses = {"192.0.2.1"};
    b.m_damage = damage;
    return b;
}
