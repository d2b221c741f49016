#pragma once

#include "net/HostEntrySlot.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The DNS server that queries go to: a numeric address and port, never a
// name, since looking a name up would need the very server being chosen.
struct CDnsServer
{
    CHostAddress m_address;
    QByteArray m_strText;   // "192.0.2.53:53" or "[2001:db8::53]:53"

    // "address", "address:port", "[v6]", "[v6]:port" or a bare IPv6
    // address; the port defaults to 53. False with the reason otherwise.
    static bool Parse(const QByteArray& text, CDnsServer* server, QString* error);
    // The first "nameserver" line of resolv.conf text with a usable address.
    static std::optional<CDnsServer> FromResolvConf(const QByteArray& text);
    // The server the environment variable names when it is set and not
    // empty, else the resolv.conf text's, else 127.0.0.1:53. A variable
    // that names no server is an error rather than a silent fallback, so
    // that a test aimed at a loopback server never asks a real one.
    static bool Pick(const std::optional<QByteArray>& environment, const QByteArray& resolvConf, CDnsServer* server,
                     QString* error);
    // Pick() with TELVARO_DNS_SERVER and /etc/resolv.conf of this machine.
    static bool Choose(CDnsServer* server, QString* error);

private:
    static bool FromAddress(const QByteArray& host, uint16_t port, CDnsServer* server);
};
