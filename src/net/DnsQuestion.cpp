#include "net/DnsQuestion.h"

#include <QByteArrayList>

namespace {

constexpr qsizetype kMaxLabel = 63;
constexpr qsizetype kMaxName = 255;   // on the wire

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

void AppendWord(QByteArray* out, uint16_t value)
{
    out->append(char(value >> 8)).append(char(value & 0xff));
}

} // namespace

bool CDnsQuestion::Make(const QByteArray& name, DnsType type, CDnsQuestion* question, QString* error)
{
    QByteArray text = name;
    if (text.endsWith('.'))
        text.chop(1);
    // Each label costs its length plus one, the root one more.
    if (text.isEmpty() || text.size() + 2 > kMaxName) {
        *error = QStringLiteral("not a DNS name (empty or too long)");
        return false;
    }
    for (const QByteArray& label : text.split('.')) {
        if (label.isEmpty() || label.size() > kMaxLabel) {
            *error = QStringLiteral("not a DNS name (empty or long label)");
            return false;
        }
        for (const char c : label) {
            if (!IsNameChar(c)) {
                *error = QStringLiteral("not a DNS name (character %1)").arg(uint8_t(c));
                return false;
            }
        }
    }
    question->m_strName = text;
    question->m_eType = type;
    return true;
}

QByteArray CDnsQuestion::Encode(uint16_t id) const
{
    QByteArray out;
    AppendWord(&out, id);
    AppendWord(&out, 0x0100);   // a standard query, recursion desired
    AppendWord(&out, 1);
    for (int i = 0; i < 3; ++i)
        AppendWord(&out, 0);
    for (const QByteArray& label : m_strName.split('.'))
        out.append(char(label.size())).append(label);
    out.append('\0');
    AppendWord(&out, uint16_t(m_eType));
    AppendWord(&out, kDnsClassIN);
    return out;
}

bool CDnsQuestion::IsAnsweredBy(const CDnsMessage& message, uint16_t id) const
{
    return message.IsResponse() && message.Opcode() == 0 && message.m_nId == id
           && message.m_nQType == uint16_t(m_eType) && message.m_nQClass == kDnsClassIN
           && message.m_strQName.compare(m_strName, Qt::CaseInsensitive) == 0;
}
