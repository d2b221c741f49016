#include "net/HostEntrySlot.h"

#include <condition_variable>
#include <mutex>

namespace {

// One lock and one condition for all slots: resolutions and stops are rare,
// and a handful of waiting workers re-checking is cheaper than bookkeeping.
std::mutex& SlotMutex()
{
    static std::mutex m;
    return m;
}

std::condition_variable& SlotCondition()
{
    static std::condition_variable cv;
    return cv;
}

}

std::shared_ptr<const CHostEntry> CHostEntrySlot::Get() const
{
    std::lock_guard lock(SlotMutex());
    return m_entry;
}

void CHostEntrySlot::Set(std::shared_ptr<const CHostEntry> entry)
{
    {
        std::lock_guard lock(SlotMutex());
        m_entry = std::move(entry);
    }
    SlotCondition().notify_all();
}

void CHostEntrySlot::Abandon()
{
    {
        std::lock_guard lock(SlotMutex());
        m_bAbandoned = true;
    }
    SlotCondition().notify_all();
}

std::shared_ptr<const CHostEntry> CHostEntrySlot::WaitForEntry(
    const std::atomic<bool>& abort, std::optional<std::chrono::steady_clock::time_point> deadline) const
{
    std::unique_lock lock(SlotMutex());
    const auto ready = [&] { return m_entry || m_bAbandoned || abort.load(); };
    if (deadline)
        SlotCondition().wait_until(lock, *deadline, ready);
    else
        SlotCondition().wait(lock, ready);
    return m_entry;
}

void CHostEntrySlot::WakeWaiters()
{
    // Taking the lock orders the caller's abort flag before the waiters'
    // next check, so no wake-up is lost.
    { std::lock_guard lock(SlotMutex()); }
    SlotCondition().notify_all();
}

void SplitServerText(const QByteArray& server, QByteArray* host, uint16_t* port, uint16_t defaultPort)
{
    *host = server;
    *port = defaultPort;
    QByteArray name;
    QByteArray portText;
    if (server.startsWith('[')) {
        const qsizetype close = server.indexOf(']');
        if (close < 0)
            return;
        name = server.mid(1, close - 1);
        if (close + 1 == server.size()) {
            *host = name;
            return;
        }
        if (server.at(close + 1) != ':')
            return;
        portText = server.mid(close + 2);
    } else {
        const qsizetype colon = server.indexOf(':');
        if (colon < 0 || server.indexOf(':', colon + 1) >= 0)
            return;   // no port, or a bare IPv6 literal
        name = server.left(colon);
        portText = server.mid(colon + 1);
    }
    bool ok = false;
    const uint value = portText.toUInt(&ok);
    if (!ok || value == 0 || value > 65535)
        return;
    *host = name;
    *port = uint16_t(value);
}
