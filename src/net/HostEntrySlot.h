#pragma once

#include <QByteArray>

#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// One resolved network address of a whois server, port included.
struct CHostAddress
{
    sockaddr_storage m_addr{};
    socklen_t m_nLength = 0;
};

// A whois server's resolved host entry: the name it was asked by and every
// address it resolved to, in the resolver's order.
struct CHostEntry
{
    QByteArray m_strHostName;
    std::vector<CHostAddress> m_addresses;
};

// The place where a TLD row keeps its server's resolved address. The GUI
// thread fills or clears it; lookup workers wait on it. Workers hold the slot
// by shared ownership, so a row that is deleted meanwhile cannot leave them
// with a dangling slot.
class CHostEntrySlot
{
public:
    std::shared_ptr<const CHostEntry> Get() const;
    void Set(std::shared_ptr<const CHostEntry> entry);

    // The slot will never be filled (its row left the table unresolved):
    // waiting workers give up now, and later ones do not wait.
    void Abandon();

    // Blocks until the slot holds an entry, abort is set, the slot is
    // abandoned or the deadline (if any) passes; returns the entry, or null
    // when there is none.
    std::shared_ptr<const CHostEntry> WaitForEntry(
        const std::atomic<bool>& abort,
        std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt) const;

    // Wakes every waiting worker so that it looks at its abort flag again.
    // Call after setting an abort flag.
    static void WakeWaiters();

private:
    std::shared_ptr<const CHostEntry> m_entry;
    bool m_bAbandoned = false;
};

// Splits a server text into host and port: "host", "host:port",
// "[v6]:port" or a bare IPv6 literal. The port defaults to defaultPort (43,
// whois); a port that is not a number from 1 to 65535 leaves the whole text
// as the host.
void SplitServerText(const QByteArray& server, QByteArray* host, uint16_t* port, uint16_t defaultPort = 43);
