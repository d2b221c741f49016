#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

// Record types and the class this program asks about.
enum class DnsType : uint16_t { A = 1, NS = 2, CNAME = 5 };
constexpr uint16_t kDnsClassIN = 1;

// A DNS message as read from a server: header, the one question and the
// records of the answer and authority sections. Names are in presentation
// form without the final dot: a dot or backslash inside a label and bytes
// outside printable ASCII are escaped ("\.", "\\", "\DDD"), so a
// stranger's label can never pass for two labels or carry control bytes.
class CDnsMessage
{
public:
    struct CRecord
    {
        QByteArray m_strName;
        uint16_t m_nType = 0;
        uint16_t m_nClass = 0;
        // The target name of an NS or CNAME record, the dotted quad of an A
        // record; empty for every other type.
        QByteArray m_strData;
    };

    // Reads a whole message. A truncated one (TC set) is read only up to
    // its question, since its records may be cut anywhere. False with the
    // reason when the bytes are not a well-formed message with one question.
    static bool Parse(QByteArrayView bytes, CDnsMessage* message, QString* error);

    bool IsResponse() const { return (m_nFlags & 0x8000) != 0; }
    int Opcode() const { return (m_nFlags >> 11) & 0x0f; }
    bool IsTruncated() const { return (m_nFlags & 0x0200) != 0; }
    int Rcode() const { return m_nFlags & 0x0f; }

    uint16_t m_nId = 0;
    uint16_t m_nFlags = 0;
    QByteArray m_strQName;
    uint16_t m_nQType = 0;
    uint16_t m_nQClass = 0;
    std::vector<CRecord> m_answers;
    std::vector<CRecord> m_authority;
};
