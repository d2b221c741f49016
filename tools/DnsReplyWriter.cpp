#include "DnsReplyWriter.h"

#include "DnsRequest.h"

#include <algorithm>
#include <arpa/inet.h>

namespace {

constexpr uint16_t kTypeA = 1;
constexpr uint16_t kTypeNS = 2;
constexpr uint16_t kTypeCNAME = 5;
constexpr uint16_t kTypeSOA = 6;
constexpr uint16_t kClassIN = 1;
constexpr uint32_t kTtl = 300;
constexpr std::size_t kQuestionAt = 12;
constexpr std::size_t kMaxLabel = 63;

} // namespace

CDnsReplyWriter::CDnsReplyWriter(const CDnsRequest& request, const CDnsBehaviour& behaviour)
    : m_request(request)
    , m_behaviour(behaviour)
{
}

std::string CDnsReplyWriter::Write(const CDnsRequest& request, const CDnsBehaviour& behaviour, bool bUdp)
{
    CDnsReplyWriter writer(request, behaviour);
    const bool bTruncated = bUdp && behaviour.m_bTruncateUdp;
    writer.Header(bTruncated);
    writer.m_out += request.m_question;
    if (!bTruncated) {
        writer.AnswerSection();
        writer.AuthoritySection();
    }
    writer.PutWord(6, writer.m_nAnswers);
    writer.PutWord(8, writer.m_nAuthority);
    return writer.m_out;
}

void CDnsReplyWriter::Header(bool bTruncated)
{
    const uint16_t id = m_behaviour.m_damage == CDnsBehaviour::Damage::WrongId ? uint16_t(m_request.m_nId + 1)
                                                                                 : m_request.m_nId;
    uint16_t flags = 0x8000 | (m_request.m_nFlags & 0x7900) | 0x0080 | (m_behaviour.m_nRcode & 0x0f);
    if (!m_behaviour.m_bReferral)
        flags |= 0x0400;
    if (bTruncated)
        flags |= 0x0200;
    Word(id);
    Word(flags);
    Word(1);
    Word(0);
    Word(0);
    Word(0);
}

void CDnsReplyWriter::AnswerSection()
{
    DamagedRecord();
    std::size_t owner = kQuestionAt;
    for (const std::string& alias : m_behaviour.m_cnames) {
        owner = Record(owner, kTypeCNAME, [&] { Name(alias); });
        ++m_nAnswers;
    }
    if (m_behaviour.m_bReferral)
        return;
    if (m_request.m_nType == kTypeA) {
        for (const std::string& address : m_behaviour.m_addresses)
            Address(owner, address);
    } else if (m_request.m_nType == kTypeNS) {
        for (const std::string& host : m_behaviour.m_nameServers) {
            Record(owner, kTypeNS, [&] { Name(host); });
            ++m_nAnswers;
        }
    }
}

void CDnsReplyWriter::AuthoritySection()
{
    if (m_behaviour.m_bReferral) {
        for (const std::string& host : m_behaviour.m_nameServers) {
            Record(kQuestionAt, kTypeNS, [&] { Name(host); });
            ++m_nAuthority;
        }
        return;
    }
    if (m_nAnswers > 0 || (m_behaviour.m_nRcode != 0 && m_behaviour.m_nRcode != 3))
        return;
    // The zone's SOA, owned by the name without its first label: a pointer
    // into the middle of the question's name.
    const std::size_t firstLabel = uint8_t(m_out[kQuestionAt]);
    Record(kQuestionAt + (firstLabel == 0 ? 0 : 1 + firstLabel), kTypeSOA, [&] {
        Name("ns1.example.net");
        Name("hostmaster.example.net");
        for (uint32_t value : {2024010101u, 7200u, 3600u, 1209600u, 300u})
            Long(value);
    });
    ++m_nAuthority;
}

// Comes first in the answer section, so the client meets it before anything
// that would make sense.
void CDnsReplyWriter::DamagedRecord()
{
    using Damage = CDnsBehaviour::Damage;
    const Damage damage = m_behaviour.m_damage;
    if (damage == Damage::None || damage == Damage::WrongId)
        return;
    const std::size_t at = m_out.size();
    if (damage == Damage::PointerPastEnd)
        Word(0xffff);
    else if (damage == Damage::PointerLoop)
        Word(uint16_t(0xc000 | at));
    else
        Word(uint16_t(0xc000 | kQuestionAt));
    Word(kTypeA);
    Word(kClassIN);
    Long(kTtl);
    Word(damage == Damage::LengthPastEnd ? 0xffff : 4);
    Long(0xc0000201);
    ++m_nAnswers;
}

std::size_t CDnsReplyWriter::Record(std::size_t ownerOffset, uint16_t type, const std::function<void()>& data)
{
    Word(uint16_t(0xc000 | ownerOffset));
    Word(type);
    Word(kClassIN);
    Long(kTtl);
    const std::size_t lengthAt = m_out.size();
    Word(0);
    const std::size_t dataAt = m_out.size();
    data();
    PutWord(lengthAt, uint16_t(m_out.size() - dataAt));
    return dataAt;
}

void CDnsReplyWriter::Address(std::size_t ownerOffset, const std::string& dotted)
{
    in_addr address{};
    if (::inet_pton(AF_INET, dotted.c_str(), &address) != 1)
        return;
    Record(ownerOffset, kTypeA, [&] { m_out.append(reinterpret_cast<const char*>(&address), 4); });
    ++m_nAnswers;
}

void CDnsReplyWriter::Name(const std::string& dotted)
{
    std::size_t from = 0;
    while (from < dotted.size()) {
        std::size_t dot = dotted.find('.', from);
        if (dot == std::string::npos)
            dot = dotted.size();
        const std::size_t length = std::min(dot - from, kMaxLabel);
        if (length > 0) {
            m_out += char(length);
            m_out.append(dotted, from, length);
        }
        from = dot + 1;
    }
    m_out += '\0';
}

void CDnsReplyWriter::Word(uint16_t value)
{
    m_out += char(value >> 8);
    m_out += char(value & 0xff);
}

void CDnsReplyWriter::Long(uint32_t value)
{
    Word(uint16_t(value >> 16));
    Word(uint16_t(value & 0xffff));
}

void CDnsReplyWriter::PutWord(std::size_t at, uint16_t value)
{
    m_out[at] = char(value >> 8);
    m_out[at + 1] = char(value & 0xff);
}
