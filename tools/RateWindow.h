#pragma once

#include <chrono>
#include <cstddef>
#include <deque>

// At most a number of admissions in any one-second span (a sliding window),
// as a registry that limits queries a second does. Not thread-safe: its
// owner locks.
class CRateWindow
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kWindow{1};

    // nPerSecond 0: nothing is admitted.
    explicit CRateWindow(std::size_t nPerSecond) : m_nPerSecond(nPerSecond) {}

    std::size_t PerSecond() const { return m_nPerSecond; }
    // Admits one more at now when fewer than the limit were admitted in the
    // second before it; a refusal is not counted.
    bool Admit(Clock::time_point now);

private:
    std::size_t m_nPerSecond;
    std::deque<Clock::time_point> m_admitted;   // within the last window, oldest first
};
