#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

class CDnsMessage;
class CDnsQuestion;

// What one DNS query came to.
struct CDnsResult
{
    enum class Outcome {
        Answer,     // records of the type asked for (or a delegation of the name)
        NxDomain,   // the name does not exist
        NoData,     // the name exists, without records of that type
        ServFail,
        Refused,
        TimedOut,   // no usable answer before the deadline
        Aborted,    // stopped from another thread
        Failed,     // anything else; m_strText says what
    };

    Outcome m_eOutcome = Outcome::Failed;
    QString m_strText;   // short and readable, e.g. "DNS: timed out"
    // NS host names: of the answer section, or of the authority section
    // when the answer delegates the name itself.
    QByteArrayList m_nameServers;
    // IPv4 addresses as dotted quads, of the name or the end of its CNAME
    // chain.
    QByteArrayList m_addresses;
    bool m_bTcp = false;   // the answer came over TCP

    static CDnsResult Failure(Outcome outcome, const QString& why = {});
    // The result an answer that matches question stands for.
    static CDnsResult FromAnswer(const CDnsMessage& message, const CDnsQuestion& question);
};
