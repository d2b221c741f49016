#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the loopback DNS server answers for one name. The fields compose (a
// delayed, truncated CNAME chain is fine); the named constructors cover the
// usual cases and read well in a test.
struct CDnsBehaviour
{
    using Millis = std::chrono::milliseconds;
    using ForName = std::function<CDnsBehaviour(const std::string& name)>;

    // Ways to break an answer that a client must reject.
    enum class Damage {
        None,
        WrongId,         // the answer does not carry the query's id
        PointerPastEnd,  // a compression pointer beyond the message
        PointerLoop,     // a compression pointer to itself
        LengthPastEnd,   // a record claiming more data than is left
    };

    // The queried name is an alias: name -> m_cnames[0] -> m_cnames[1] ...;
    // the records below belong to the last name of the chain.
    std::vector<std::string> m_cnames;
    // NS records, answered to NS queries (or in the authority section of a
    // referral, to any query).
    std::vector<std::string> m_nameServers;
    // A records as dotted quads, answered to A queries; text that is not an
    // address is left out.
    std::vector<std::string> m_addresses;
    // Not authoritative: the NS records are a delegation in the authority
    // section and the answer section stays empty.
    bool m_bReferral = false;
    uint8_t m_nRcode = 0;   // 0 no error, 2 SERVFAIL, 3 NXDOMAIN, 5 REFUSED
    // Never answer at all.
    bool m_bDrop = false;
    // Wait this long before answering, and over TCP this much longer.
    Millis m_delay{0};
    Millis m_tcpDelay{0};
    // Over UDP, send only the header (TC set) and the question, so the
    // client has to ask again over TCP; TCP gets the whole answer.
    bool m_bTruncateUdp = false;
    Damage m_damage = Damage::None;
    // When set, picks the behaviour from the queried name instead. Called on
    // the server's threads, so it must be safe to call concurrently.
    ForName m_forName;

    static CDnsBehaviour NameServers(std::vector<std::string> hosts);
    static CDnsBehaviour Referral(std::vector<std::string> hosts);
    static CDnsBehaviour Addresses(std::vector<std::string> addresses);
    static CDnsBehaviour Alias(std::vector<std::string> chain, std::vector<std::string> addresses);
    static CDnsBehaviour Rcode(uint8_t rcode);
    static CDnsBehaviour NxDomain() { return Rcode(3); }
    static CDnsBehaviour ServFail() { return Rcode(2); }
    static CDnsBehaviour Refused() { return Rcode(5); }
    static CDnsBehaviour Drop();
    static CDnsBehaviour Delay(Millis delay, CDnsBehaviour then);
    static CDnsBehaviour Truncated(CDnsBehaviour whole);
    // An address and a name server answer, broken as said.
    static CDnsBehaviour Damaged(Damage damage);
};
