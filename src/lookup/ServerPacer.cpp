#include "lookup/ServerPacer.h"

#include "net/HostEntrySlot.h"

#include <QUrl>

#include <algorithm>

QByteArray CServerPacer::KeyOf(const QByteArray& server)
{
    const QByteArray text = server.trimmed();
    const QByteArray lower = text.toLower();
    if (lower.startsWith("http://") || lower.startsWith("https://")) {
        // An RDAP base: its host (and port) is the server.
        const QUrl url(QString::fromLatin1(text));
        const QByteArray host = url.host().toLower().toLatin1();
        return url.port() > 0 ? host + ':' + QByteArray::number(url.port()) : host;
    }
    QByteArray host;
    uint16_t port = 43;
    SplitServerText(text, &host, &port);
    host = host.toLower();
    return port == 43 ? host : host + ':' + QByteArray::number(port);
}

bool CServerPacer::CanStart(const QByteArray& key, int running, Clock::time_point now) const
{
    if (!IsEnabled())
        return true;
    if (running >= m_nPerServer)
        return false;
    const auto it = m_servers.find(key);
    return it == m_servers.end() || now >= it->second.m_pausedUntil;
}

void CServerPacer::OnAnswer(const QByteArray& key, Clock::time_point now)
{
    const auto it = m_servers.find(key);
    // An answer that left after the pause began does not end it.
    if (it != m_servers.end() && now >= it->second.m_pausedUntil)
        m_servers.erase(it);
}

void CServerPacer::OnRateLimit(const QByteArray& key, std::optional<std::chrono::seconds> wait, Clock::time_point now,
                               const QString& reason)
{
    if (!IsEnabled())
        return;
    CState& state = m_servers[key];
    // Lookups already under way when the pause began answer "limit" too;
    // they must not double it again and again.
    if (now < state.m_pausedUntil)
        return;
    std::chrono::seconds length;
    if (wait) {
        length = std::clamp(*wait, std::chrono::seconds(1), kLongestNamedWait);
    } else {
        length = state.m_nextPause.count() > 0 ? state.m_nextPause : kFirstPause;
        state.m_nextPause = std::min(length * 2, kLongestPause);
    }
    state.m_pausedUntil = now + length;
    state.m_strReason = reason;
}

void CServerPacer::Pause(const QByteArray& key, std::chrono::seconds length, Clock::time_point now,
                         const QString& reason)
{
    CState& state = m_servers[key];
    state.m_pausedUntil = std::max(state.m_pausedUntil, now + length);
    state.m_strReason = reason;
}

std::vector<CServerPacer::CPause> CServerPacer::ActivePauses(Clock::time_point now) const
{
    std::vector<CPause> pauses;
    for (const auto& [key, state] : m_servers) {
        if (now < state.m_pausedUntil)
            pauses.push_back({key, state.m_pausedUntil, state.m_strReason});
    }
    std::sort(pauses.begin(), pauses.end(), [](const CPause& a, const CPause& b) { return a.m_until < b.m_until; });
    return pauses;
}

std::optional<CServerPacer::Clock::time_point> CServerPacer::NextResume(Clock::time_point now) const
{
    std::optional<Clock::time_point> next;
    for (const auto& [key, state] : m_servers) {
        if (now < state.m_pausedUntil && (!next || state.m_pausedUntil < *next))
            next = state.m_pausedUntil;
    }
    return next;
}
