// Feeds arbitrary bytes to the reader of DNS answers, as a hostile server
// would send them, and makes a result of whatever it accepts. It may reject
// the bytes, but must never crash, hang or read past the end.
#include "net/DnsMessage.h"
#include "net/DnsQuestion.h"
#include "net/DnsResult.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CDnsMessage message;
    QString error;
    if (!CDnsMessage::Parse(bytes, &message, &error))
        return 0;
    for (DnsType type : {DnsType::A, DnsType::NS}) {
        CDnsQuestion question;
        // The answer's own name when it could have been asked, else a fixed one.
        if (!CDnsQuestion::Make(message.m_strQName, type, &question, &error))
            CDnsQuestion::Make("example.com", type, &question, &error);
        (void)question.IsAnsweredBy(message, message.m_nId);
        (void)CDnsResult::FromAnswer(message, question);
    }
    return 0;
}
