#pragma once

#include "net/DnsMessage.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// What a query asks: the records of one type for one name. Only names of
// letters, digits, hyphens and underscores are asked about, so a name
// compares equal to the server's echo of it without regard to escapes.
class CDnsQuestion
{
public:
    // False with the reason when name is not a DNS name (a final dot is
    // allowed and dropped).
    static bool Make(const QByteArray& name, DnsType type, CDnsQuestion* question, QString* error);

    // The query message: recursion desired, one question.
    QByteArray Encode(uint16_t id) const;
    // Whether message is the answer to this question sent with id.
    bool IsAnsweredBy(const CDnsMessage& message, uint16_t id) const;

    const QByteArray& Name() const { return m_strName; }
    DnsType Type() const { return m_eType; }

private:
    QByteArray m_strName;
    DnsType m_eType = DnsType::A;
};
