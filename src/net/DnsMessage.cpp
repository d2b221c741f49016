#include "net/DnsMessage.h"

namespace {

constexpr qsizetype kHeaderSize = 12;
constexpr int kMaxNameLength = 255;   // on the wire, length bytes included

// Reads a message from front to back. Nothing it is told (a count, a
// length, a pointer) is trusted: every read is checked against the end,
// and compression pointers may only go back before where the current piece
// of the name began, so they cannot loop.
class CDnsReader
{
public:
    explicit CDnsReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool Word(uint16_t* value)
    {
        if (m_nAt + 2 > m_bytes.size())
            return Fail("message ends early");
        *value = WordAt(m_nAt);
        m_nAt += 2;
        return true;
    }

    bool Skip(qsizetype n)
    {
        if (n > m_bytes.size() - m_nAt)
            return Fail("message ends early");
        m_nAt += n;
        return true;
    }

    bool Name(QByteArray* name)
    {
        name->clear();
        qsizetype at = m_nAt;
        qsizetype pieceStart = at;
        qsizetype resumeAt = -1;   // where reading goes on after the first pointer
        int wireLength = 1;
        for (;;) {
            if (at >= m_bytes.size())
                return Fail("name runs past the end");
            const uint8_t length = uint8_t(m_bytes[at]);
            if ((length & 0xc0) == 0xc0) {
                if (at + 1 >= m_bytes.size())
                    return Fail("name runs past the end");
                const qsizetype target = WordAt(at) & 0x3fff;
                if (target >= pieceStart)
                    return Fail("compression pointer does not point back");
                if (resumeAt < 0)
                    resumeAt = at + 2;
                at = pieceStart = target;
                continue;
            }
            if (length & 0xc0)
                return Fail("unknown label type");
            if (length == 0)
                break;
            wireLength += 1 + length;
            if (wireLength > kMaxNameLength)
                return Fail("name too long");
            if (at + 1 + length > m_bytes.size())
                return Fail("name runs past the end");
            if (!name->isEmpty())
                name->append('.');
            AppendLabel(m_bytes.sliced(at + 1, length), name);
            at += 1 + length;
        }
        m_nAt = resumeAt >= 0 ? resumeAt : at + 1;
        return true;
    }

    bool Record(CDnsMessage::CRecord* record)
    {
        uint16_t dataLength = 0;
        if (!Name(&record->m_strName) || !Word(&record->m_nType) || !Word(&record->m_nClass) || !Skip(4)
            || !Word(&dataLength))
            return false;
        if (dataLength > m_bytes.size() - m_nAt)
            return Fail("record data runs past the end");
        const qsizetype dataEnd = m_nAt + dataLength;
        record->m_strData.clear();
        if (record->m_nClass != kDnsClassIN) {
            m_nAt = dataEnd;
            return true;
        }
        switch (DnsType(record->m_nType)) {
        case DnsType::A:
            if (dataLength != 4)
                return Fail("address record of the wrong size");
            for (qsizetype i = 0; i < 4; ++i) {
                if (i > 0)
                    record->m_strData.append('.');
                record->m_strData.append(QByteArray::number(uint8_t(m_bytes[m_nAt + i])));
            }
            m_nAt = dataEnd;
            return true;
        case DnsType::NS:
        case DnsType::CNAME:
            if (!Name(&record->m_strData))
                return false;
            if (m_nAt != dataEnd)
                return Fail("name does not fill its record");
            return true;
        }
        m_nAt = dataEnd;
        return true;
    }

    bool Records(uint16_t count, std::vector<CDnsMessage::CRecord>* records)
    {
        // The count is the sender's word: records are read one by one and
        // the end of the message stops a count that lies.
        for (uint16_t i = 0; i < count; ++i) {
            CDnsMessage::CRecord record;
            if (!Record(&record))
                return false;
            records->push_back(std::move(record));
        }
        return true;
    }

    const QString& Error() const { return m_strError; }

private:
    uint16_t WordAt(qsizetype at) const { return uint16_t(uint8_t(m_bytes[at]) << 8 | uint8_t(m_bytes[at + 1])); }

    bool Fail(const char* why)
    {
        m_strError = QString::fromLatin1(why);
        return false;
    }

    static void AppendLabel(QByteArrayView label, QByteArray* name)
    {
        for (const char c : label) {
            const uint8_t u = uint8_t(c);
            if (c == '.' || c == '\\') {
                name->append('\\').append(c);
            } else if (u < 0x21 || u > 0x7e) {
                char escaped[5] = {'\\', char('0' + u / 100), char('0' + u / 10 % 10), char('0' + u % 10), 0};
                name->append(escaped);
            } else {
                name->append(c);
            }
        }
    }

    QByteArrayView m_bytes;
    qsizetype m_nAt = 0;
    QString m_strError;
};

} // namespace

bool CDnsMessage::Parse(QByteArrayView bytes, CDnsMessage* message, QString* error)
{
    *message = CDnsMessage();
    if (bytes.size() < kHeaderSize) {
        *error = QStringLiteral("message shorter than its header");
        return false;
    }
    CDnsReader reader(bytes);
    uint16_t questions = 0;
    uint16_t answers = 0;
    uint16_t authority = 0;
    uint16_t additional = 0;
    bool ok = reader.Word(&message->m_nId) && reader.Word(&message->m_nFlags) && reader.Word(&questions)
              && reader.Word(&answers) && reader.Word(&authority) && reader.Word(&additional);
    if (ok && questions != 1) {
        *error = QStringLiteral("not exactly one question");
        return false;
    }
    ok = ok && reader.Name(&message->m_strQName) && reader.Word(&message->m_nQType)
         && reader.Word(&message->m_nQClass);
    if (ok && !message->IsTruncated())
        ok = reader.Records(answers, &message->m_answers) && reader.Records(authority, &message->m_authority);
    if (!ok)
        *error = reader.Error();
    return ok;
}
