#pragma once

#include "net/DnsClient.h"

#include <QByteArray>

struct CDnsServer;

// The DNS steps after a registry has answered, on the thread that may block:
// whether a name called free is delegated after all, and the address of a
// taken one. Both stop at once when the client is aborted.
namespace DnsCheck {

// The line that says what DNS made of the "free" (see DnsNote). server
// null: no DNS server could be chosen, so the name stays unconfirmed.
QByteArray ConfirmFree(CDnsClient& client, const QByteArray& name, const CDnsServer* server,
                       CDnsClient::Clock::time_point deadline);

// The first IPv4 address of name as dotted text, or "Error" when it does
// not resolve; nothing when the query was stopped.
std::optional<QByteArray> AddressOf(CDnsClient& client, const QByteArray& name, const CDnsServer& server,
                                    CDnsClient::Clock::time_point deadline);

}
