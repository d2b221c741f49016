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

namespace {

template <class Duration>
void DropOlder(std::deque<CServerPacer::Clock::time_point>& times, CServerPacer::Clock::time_point now, Duration window)
{
    while (!times.empty() && now - times.front() >= window)
        times.pop_front();
}

}

std::optional<CServerPacer::Clock::time_point> CServerPacer::RateHeldUntil(const CState& state)
{
    if (state.m_nPerSecond <= 0 || int(state.m_starts.size()) < state.m_nPerSecond)
        return std::nullopt;
    return state.m_starts[state.m_starts.size() - size_t(state.m_nPerSecond)] + kStartWindow;
}

bool CServerPacer::CanStart(const QByteArray& key, int running, Clock::time_point now) const
{
    if (!IsEnabled())
        return true;
    if (running >= m_nPerServer)
        return false;
    const auto it = m_servers.find(key);
    if (it == m_servers.end())
        return true;
    const auto held = RateHeldUntil(it->second);
    return !IsPaused(it->second, now) && (!held || now >= *held);
}

void CServerPacer::OnStarted(const QByteArray& key, Clock::time_point now)
{
    const auto it = m_servers.find(key);
    if (!IsEnabled() || it == m_servers.end() || it->second.m_nPerSecond <= 0)
        return;
    it->second.m_starts.push_back(now);
    DropOlder(it->second.m_starts, now, kStartWindow);
}

bool CServerPacer::IsPaused(const QByteArray& key, Clock::time_point now) const
{
    const auto it = m_servers.find(key);
    return it != m_servers.end() && IsPaused(it->second, now);
}

int CServerPacer::LearnedRate(const QByteArray& key) const
{
    const auto it = m_servers.find(key);
    return it == m_servers.end() ? 0 : it->second.m_nPerSecond;
}

void CServerPacer::OnAnswer(const QByteArray& key, Clock::time_point now)
{
    if (!IsEnabled())
        return;
    CState& state = m_servers[key];
    state.m_answers.push_back(now);
    DropOlder(state.m_answers, now, kRateWindow);
    // An answer that left after the pause began does not end it.
    if (now >= state.m_pausedUntil)
        state.m_nextPause = std::chrono::seconds(0);
}

void CServerPacer::OnRateLimit(const QByteArray& key, std::optional<std::chrono::seconds> wait, Clock::time_point now,
                               const QString& reason, bool learnRate)
{
    if (!IsEnabled())
        return;
    CState& state = m_servers[key];
    // Lookups already under way when the pause began answer "limit" too;
    // they must not double it again and again.
    if (now < state.m_pausedUntil)
        return;
    DropOlder(state.m_answers, now, kRateWindow);
    const int answered = learnRate ? int(state.m_answers.size()) : 0;
    std::chrono::seconds length;
    if (wait) {
        length = std::clamp(*wait, std::chrono::seconds(1), kLongestNamedWait);
    } else if (state.m_nPerSecond == 0 && answered >= kRateEvidence) {
        // It answered that many in the last second, then refused: a limit
        // a second, learned once; the starts since count against it.
        state.m_nPerSecond = answered;
        state.m_starts.clear();
        length = kRateWindow;
    } else {
        if (answered >= kRateEvidence)
            state.m_nPerSecond = std::min(state.m_nPerSecond, answered);
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
        if (IsPaused(state, now))
            pauses.push_back({key, state.m_pausedUntil, state.m_strReason});
    }
    std::sort(pauses.begin(), pauses.end(), [](const CPause& a, const CPause& b) { return a.m_until < b.m_until; });
    return pauses;
}

std::optional<CServerPacer::Clock::time_point> CServerPacer::NextResume(Clock::time_point now) const
{
    std::optional<Clock::time_point> next;
    const auto consider = [&](Clock::time_point at) {
        if (now < at && (!next || at < *next))
            next = at;
    };
    for (const auto& [key, state] : m_servers) {
        consider(state.m_pausedUntil);
        if (const auto held = RateHeldUntil(state))
            consider(*held);
    }
    return next;
}
