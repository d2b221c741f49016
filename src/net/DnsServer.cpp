#include "net/DnsServer.h"

#include <QFile>
#include <QList>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cstring>

namespace {

constexpr uint16_t kDnsPort = 53;
constexpr const char* kEnvironmentVariable = "TELVARO_DNS_SERVER";
constexpr const char* kResolvConf = "/etc/resolv.conf";
// resolv.conf is a few lines; more than this is not one.
constexpr qint64 kMaxResolvConf = 64 * 1024;

} // namespace

bool CDnsServer::FromAddress(const QByteArray& host, uint16_t port, CDnsServer* server)
{
    CDnsServer result;
    if (host.contains(':')) {
        // getaddrinfo() for the scope of a link-local address ("fe80::1%eth0").
        addrinfo hints{};
        hints.ai_family = AF_INET6;
        hints.ai_socktype = SOCK_DGRAM;
        hints.ai_flags = AI_NUMERICHOST;
        addrinfo* found = nullptr;
        if (::getaddrinfo(host.constData(), nullptr, &hints, &found) != 0)
            return false;
        std::memcpy(&result.m_address.m_addr, found->ai_addr, found->ai_addrlen);
        result.m_address.m_nLength = found->ai_addrlen;
        ::freeaddrinfo(found);
        reinterpret_cast<sockaddr_in6&>(result.m_address.m_addr).sin6_port = htons(port);
    } else {
        // inet_pton(), not inet_aton(): "10" is not taken for 0.0.0.10.
        auto& a4 = reinterpret_cast<sockaddr_in&>(result.m_address.m_addr);
        if (::inet_pton(AF_INET, host.constData(), &a4.sin_addr) != 1)
            return false;
        a4.sin_family = AF_INET;
        a4.sin_port = htons(port);
        result.m_address.m_nLength = sizeof a4;
    }
    char text[NI_MAXHOST] = {};
    ::getnameinfo(reinterpret_cast<const sockaddr*>(&result.m_address.m_addr), result.m_address.m_nLength, text,
                  sizeof text, nullptr, 0, NI_NUMERICHOST);
    const QByteArray portText = ':' + QByteArray::number(port);
    result.m_strText = host.contains(':') ? '[' + QByteArray(text) + ']' + portText : QByteArray(text) + portText;
    *server = result;
    return true;
}

bool CDnsServer::Parse(const QByteArray& text, CDnsServer* server, QString* error)
{
    QByteArray host;
    uint16_t port = kDnsPort;
    SplitServerText(text.trimmed(), &host, &port, kDnsPort);
    if (host.contains('\0') || !FromAddress(host, port, server)) {
        *error = QStringLiteral("not a DNS server address with an optional port: ") + QString::fromLatin1(text);
        return false;
    }
    return true;
}

std::optional<CDnsServer> CDnsServer::FromResolvConf(const QByteArray& text)
{
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        CDnsServer server;
        if (words.size() >= 2 && words[0] == "nameserver" && FromAddress(words[1], kDnsPort, &server))
            return server;
    }
    return std::nullopt;
}

bool CDnsServer::Pick(const std::optional<QByteArray>& environment, const QByteArray& resolvConf, CDnsServer* server,
                      QString* error)
{
    if (environment && !environment->isEmpty()) {
        if (Parse(*environment, server, error))
            return true;
        *error = QString::fromLatin1(kEnvironmentVariable) + QStringLiteral(": ") + *error;
        return false;
    }
    if (const std::optional<CDnsServer> listed = FromResolvConf(resolvConf)) {
        *server = *listed;
        return true;
    }
    return FromAddress("127.0.0.1", kDnsPort, server);
}

bool CDnsServer::Choose(CDnsServer* server, QString* error)
{
    std::optional<QByteArray> environment;
    if (qEnvironmentVariableIsSet(kEnvironmentVariable))
        environment = qgetenv(kEnvironmentVariable);
    QByteArray resolvConf;
    QFile file(QString::fromLatin1(kResolvConf));
    if (file.open(QIODevice::ReadOnly))
        resolvConf = file.read(kMaxResolvConf);
    return Pick(environment, resolvConf, server, error);
}
