#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <deque>
#include <optional>
#include <map>
#include <vector>

// How hard each whois (or RDAP) server may be asked, on top of the global
// connection limit: at most a few lookups at once per server, and a pause
// when a server says it is asked too often. GUI thread only.
class CServerPacer
{
public:
    using Clock = std::chrono::steady_clock;

    // The pause after a rate limit that names no wait: the first, doubled
    // with every limit in a row, held to the longest.
    static constexpr std::chrono::seconds kFirstPause{5};
    static constexpr std::chrono::seconds kLongestPause{300};
    // A wait named by a server is held to this, so a hostile answer cannot
    // park its names for ever.
    static constexpr std::chrono::seconds kLongestNamedWait{3600};
    // A server that limits without naming a wait after answering well
    // within the last second is taken to allow that many queries a second:
    // it rests for one such second and is then asked no faster. Starts are
    // spaced over a little more than a second, as the time a query takes to
    // arrive varies.
    static constexpr std::chrono::seconds kRateWindow{1};
    static constexpr std::chrono::milliseconds kStartWindow{1050};
    // Fewer good answers than this say nothing of a rate.
    static constexpr int kRateEvidence = 2;

    // perServer <= 0: no per-server limit and no pauses (pacing off).
    explicit CServerPacer(int perServer = 4) : m_nPerServer(perServer) {}

    void SetPerServerLimit(int perServer) { m_nPerServer = perServer; }
    int PerServerLimit() const { return m_nPerServer; }
    bool IsEnabled() const { return m_nPerServer > 0; }

    // The key of a server text: "Whois.Nic.FR:43" and "whois.nic.fr" are
    // one server.
    static QByteArray KeyOf(const QByteArray& server);

    // Whether one more lookup of server may start now, with running of its
    // lookups already under way.
    bool CanStart(const QByteArray& key, int running, Clock::time_point now) const;
    // A lookup of server started; counts against its learned rate.
    void OnStarted(const QByteArray& key, Clock::time_point now);
    // The queries a second a server was found to allow; 0 when not known.
    int LearnedRate(const QByteArray& key) const;

    // A lookup of server ended. A good answer (taken or free) ends any
    // backing off; a rate limit pauses the server for wait when it named
    // one, else for the next step of the doubling pause.
    void OnAnswer(const QByteArray& key, Clock::time_point now);
    // learnRate false: a refusal that says nothing of a rate (the server
    // was caught lying), so the doubling pause alone applies.
    void OnRateLimit(const QByteArray& key, std::optional<std::chrono::seconds> wait, Clock::time_point now,
                     const QString& reason, bool learnRate = true);
    // Pauses one server as for a rate limit, for a reason of the caller's
    // (a server caught answering untruthfully).
    void Pause(const QByteArray& key, std::chrono::seconds length, Clock::time_point now, const QString& reason);

    struct CPause
    {
        QByteArray m_strServer;
        Clock::time_point m_until;
        QString m_strReason;
    };
    bool IsPaused(const QByteArray& key, Clock::time_point now) const;
    // Servers paused at now, soonest to resume first.
    std::vector<CPause> ActivePauses(Clock::time_point now) const;
    // When the next paused or rate-held server may be asked again; none when
    // nothing waits.
    std::optional<Clock::time_point> NextResume(Clock::time_point now) const;

    // Forgets every pause and back-off (a new document).
    void Clear() { m_servers.clear(); }

private:
    struct CState
    {
        Clock::time_point m_pausedUntil{};
        std::chrono::seconds m_nextPause{0};   // 0: not backing off
        QString m_strReason;
        int m_nPerSecond = 0;                  // learned rate; 0: none
        std::deque<Clock::time_point> m_answers;   // good answers of the last kRateWindow
        std::deque<Clock::time_point> m_starts;    // starts of the last kStartWindow, while a rate holds
    };
    static bool IsPaused(const CState& state, Clock::time_point now) { return now < state.m_pausedUntil; }
    // The start that must leave the window before one more may start; none
    // when the rate does not hold the server back.
    static std::optional<Clock::time_point> RateHeldUntil(const CState& state);

    int m_nPerServer;
    std::map<QByteArray, CState> m_servers;
};
