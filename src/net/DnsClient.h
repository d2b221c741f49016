#pragma once

#include "net/DnsMessage.h"
#include "net/DnsResult.h"
#include "net/WhoisSocket.h"

#include <QByteArray>

#include <chrono>
#include <cstdint>
#include <memory>

class CDnsQuestion;
struct CDnsServer;

// Asks a DNS server for the records of one name, blocking, on the lookup's
// worker thread: UDP first, sent again up to twice inside the deadline, and
// TCP when the answer comes back truncated. Every wait is in the stoppable
// socket, so Abort() from another thread ends a query at once.
class CDnsClient
{
public:
    using Clock = std::chrono::steady_clock;

    // With a socket of its own.
    CDnsClient();
    // With the lookup's socket, so that stopping the lookup stops the query
    // too; socket must outlive the client and not be in use meanwhile.
    explicit CDnsClient(CWhoisSocket& socket);
    ~CDnsClient();
    CDnsClient(const CDnsClient&) = delete;
    CDnsClient& operator=(const CDnsClient&) = delete;

    CDnsResult Query(const QByteArray& name, DnsType type, const CDnsServer& server, Clock::time_point deadline);

    // Any thread: the running query, and every later one, gives up at once.
    void Abort();

private:
    enum class Got { Answer, Truncated, Failure };

    Got AskUdp(const CDnsQuestion& question, const CDnsServer& server, Clock::time_point deadline,
               CDnsMessage* answer, CDnsResult* failure);
    Got AskTcp(const CDnsQuestion& question, const CDnsServer& server, Clock::time_point deadline,
               CDnsMessage* answer, CDnsResult* failure);
    bool SendAll(QByteArrayView bytes, Clock::time_point deadline, CDnsResult* failure);
    bool ReceiveExactly(qsizetype n, Clock::time_point deadline, QByteArray* bytes, CDnsResult* failure);
    // The result of a wait that did not end Ready.
    static CDnsResult WaitFailure(CWhoisSocket::Wait wait);

    std::unique_ptr<CWhoisSocket> m_pOwnSocket;
    CWhoisSocket& m_socket;
    uint16_t m_nId = 0;
};
