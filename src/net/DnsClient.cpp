#include "net/DnsClient.h"

#include "net/DnsQuestion.h"
#include "net/DnsServer.h"

#include <QRandomGenerator>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// One send and up to two more inside the deadline; a retry comes after a
// third of the time left, but never later than this after the previous one.
constexpr int kUdpSends = 3;
constexpr std::chrono::milliseconds kMaxRetryInterval{2000};
// The largest datagram; a longer answer would have come truncated.
constexpr qsizetype kMaxDatagram = 65536;

CDnsResult Failed(const QString& why)
{
    return CDnsResult::Failure(CDnsResult::Outcome::Failed, why);
}

QString ErrnoText(const char* what, int error)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

CDnsClient::CDnsClient() : m_pOwnSocket(std::make_unique<CWhoisSocket>()), m_socket(*m_pOwnSocket)
{
}

CDnsClient::CDnsClient(CWhoisSocket& socket) : m_socket(socket)
{
}

CDnsClient::~CDnsClient()
{
    m_socket.Close();
}

void CDnsClient::Abort()
{
    m_socket.Abort();
}

CDnsResult CDnsClient::Query(const QByteArray& name, DnsType type, const CDnsServer& server,
                             Clock::time_point deadline)
{
    CDnsQuestion question;
    QString error;
    if (!CDnsQuestion::Make(name, type, &question, &error))
        return Failed(error);
    if (m_socket.IsAborted())
        return CDnsResult::Failure(CDnsResult::Outcome::Aborted);
    if (!m_socket.Startup(1, 1))
        return Failed(QStringLiteral("cannot start sockets"));
    // A fresh id for each query: an answer to an earlier one is stray.
    m_nId = uint16_t(QRandomGenerator::system()->generate());

    CDnsMessage answer;
    CDnsResult failure;
    Got got = AskUdp(question, server, deadline, &answer, &failure);
    bool bTcp = false;
    if (got == Got::Truncated) {
        got = AskTcp(question, server, deadline, &answer, &failure);
        bTcp = true;
    }
    m_socket.Close();
    if (got != Got::Answer)
        return failure;
    CDnsResult result = CDnsResult::FromAnswer(answer, question);
    result.m_bTcp = bTcp;
    return result;
}

CDnsResult CDnsClient::WaitFailure(CWhoisSocket::Wait wait)
{
    switch (wait) {
    case CWhoisSocket::Wait::Aborted:
        return CDnsResult::Failure(CDnsResult::Outcome::Aborted);
    case CWhoisSocket::Wait::TimedOut:
        return CDnsResult::Failure(CDnsResult::Outcome::TimedOut);
    case CWhoisSocket::Wait::Failed:
    case CWhoisSocket::Wait::Ready:
        break;
    }
    return Failed(QStringLiteral("waiting for the server failed"));
}

CDnsClient::Got CDnsClient::AskUdp(const CDnsQuestion& question, const CDnsServer& server,
                                   Clock::time_point deadline, CDnsMessage* answer, CDnsResult* failure)
{
    const sockaddr* address = reinterpret_cast<const sockaddr*>(&server.m_address.m_addr);
    // Connected, so the kernel drops datagrams from anyone but the server
    // and reports a closed port as refused.
    if (!m_socket.Create(server.m_address.m_addr.ss_family, SOCK_DGRAM, IPPROTO_UDP)
        || ::connect(m_socket.m_hSocket, address, server.m_address.m_nLength) != 0) {
        *failure = Failed(ErrnoText("cannot reach the server", errno));
        return Got::Failure;
    }
    const QByteArray query = question.Encode(m_nId);
    const auto start = Clock::now();
    const auto interval = std::min<Clock::duration>(std::max<Clock::duration>(deadline - start, {}) / kUdpSends,
                                                    kMaxRetryInterval);
    QByteArray buffer(kMaxDatagram, Qt::Uninitialized);
    QString rejected;   // why the last stray or broken datagram was ignored
    int sent = 0;
    for (;;) {
        const auto now = Clock::now();
        if (sent < kUdpSends && now >= start + sent * interval) {
            // A send that fails now is as good as a datagram lost on the way.
            [[maybe_unused]] const ssize_t n = ::send(m_socket.m_hSocket, query.constData(), size_t(query.size()), 0);
            ++sent;
        }
        const auto wakeAt = sent < kUdpSends ? std::min(deadline, start + sent * interval) : deadline;
        const CWhoisSocket::Wait wait = m_socket.WaitFor(POLLIN, wakeAt);
        if (wait == CWhoisSocket::Wait::TimedOut && Clock::now() < deadline)
            continue;   // time to send again
        if (wait != CWhoisSocket::Wait::Ready) {
            *failure = WaitFailure(wait);
            if (wait == CWhoisSocket::Wait::TimedOut && !rejected.isEmpty())
                *failure = Failed(QStringLiteral("no valid answer (") + rejected + u')');
            return Got::Failure;
        }
        const ssize_t got = ::recv(m_socket.m_hSocket, buffer.data(), size_t(buffer.size()), 0);
        if (got < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            *failure = Failed(ErrnoText("no answer from the server", errno));
            return Got::Failure;
        }
        QString error;
        if (!CDnsMessage::Parse(QByteArrayView(buffer.constData(), got), answer, &error))
            rejected = QStringLiteral("broken answer: ") + error;
        else if (!question.IsAnsweredBy(*answer, m_nId))
            rejected = QStringLiteral("answer to another query");
        else
            return answer->IsTruncated() ? Got::Truncated : Got::Answer;
    }
}

CDnsClient::Got CDnsClient::AskTcp(const CDnsQuestion& question, const CDnsServer& server,
                                   Clock::time_point deadline, CDnsMessage* answer, CDnsResult* failure)
{
    if (!m_socket.Create(server.m_address.m_addr.ss_family, SOCK_STREAM, IPPROTO_TCP)) {
        *failure = Failed(ErrnoText("TCP", errno));
        return Got::Failure;
    }
    switch (m_socket.Connect(server.m_address, deadline)) {
    case CWhoisSocket::ConnectResult::Connected:
        break;
    case CWhoisSocket::ConnectResult::TimedOut:
        *failure = CDnsResult::Failure(CDnsResult::Outcome::TimedOut);
        return Got::Failure;
    case CWhoisSocket::ConnectResult::Aborted:
        *failure = CDnsResult::Failure(CDnsResult::Outcome::Aborted);
        return Got::Failure;
    case CWhoisSocket::ConnectResult::Failed:
        *failure = Failed(QStringLiteral("TCP: cannot connect to the server"));
        return Got::Failure;
    }
    const QByteArray query = question.Encode(m_nId);
    QByteArray framed;
    framed.append(char(query.size() >> 8)).append(char(query.size() & 0xff)).append(query);
    QByteArray prefix;
    QByteArray message;
    if (!SendAll(framed, deadline, failure) || !ReceiveExactly(2, deadline, &prefix, failure)
        || !ReceiveExactly(uint8_t(prefix[0]) << 8 | uint8_t(prefix[1]), deadline, &message, failure))
        return Got::Failure;
    QString error;
    if (!CDnsMessage::Parse(message, answer, &error)) {
        *failure = Failed(QStringLiteral("TCP: broken answer: ") + error);
        return Got::Failure;
    }
    if (!question.IsAnsweredBy(*answer, m_nId) || answer->IsTruncated()) {
        *failure = Failed(QStringLiteral("TCP: answer to another query"));
        return Got::Failure;
    }
    return Got::Answer;
}

bool CDnsClient::SendAll(QByteArrayView bytes, Clock::time_point deadline, CDnsResult* failure)
{
    while (!bytes.isEmpty()) {
        const ssize_t n = ::send(m_socket.m_hSocket, bytes.data(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (n >= 0) {
            bytes = bytes.sliced(n);
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            *failure = Failed(ErrnoText("TCP", errno));
            return false;
        }
        const CWhoisSocket::Wait wait = m_socket.WaitFor(POLLOUT, deadline);
        if (wait != CWhoisSocket::Wait::Ready) {
            *failure = WaitFailure(wait);
            return false;
        }
    }
    return true;
}

bool CDnsClient::ReceiveExactly(qsizetype n, Clock::time_point deadline, QByteArray* bytes, CDnsResult* failure)
{
    // n comes from a 16-bit length, so the buffer is never large.
    bytes->resize(n);
    qsizetype have = 0;
    while (have < n) {
        const CWhoisSocket::Wait wait = m_socket.WaitFor(POLLIN, deadline);
        if (wait != CWhoisSocket::Wait::Ready) {
            *failure = WaitFailure(wait);
            return false;
        }
        const ssize_t got = ::recv(m_socket.m_hSocket, bytes->data() + have, size_t(n - have), 0);
        if (got > 0) {
            have += got;
        } else if (got == 0) {
            *failure = Failed(QStringLiteral("TCP: the server closed the connection early"));
            return false;
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            *failure = Failed(ErrnoText("TCP", errno));
            return false;
        }
    }
    return true;
}
