#pragma once

#include "LoopbackState.h"
#include "RateWindow.h"
#include "WhoisBehaviour.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

// What the loopback whois server's threads share: the shared script, log
// and counters, and a lying mode, like a registry that starts lying under
// load, and a rate limit.
class CWhoisState : public CLoopbackState<CWhoisBehaviour>
{
public:
    using CLoopbackState::CLoopbackState;

    // The next nTruthful requests get their behaviour, the nLies after them
    // lie, and the ones after those their behaviour again, as a registry
    // that recovers.
    void LieAfter(std::size_t nTruthful, CWhoisBehaviour lie, std::size_t nLies = SIZE_MAX);
    // At most nPerSecond requests a second get their behaviour; the rest
    // get limited. Replaces any earlier limit.
    void LimitRate(std::size_t nPerSecond, CWhoisBehaviour limited);
    // Set when a connection may close before its request is read: only when
    // the default closes at once, no name could override it and no lie
    // needs the name.
    std::optional<CWhoisBehaviour> BehaviourBeforeRequest() const;
    // Logs a request (unless empty) and picks what to do with it.
    CWhoisBehaviour BehaviourForRequest(std::string request, const std::string& name);

private:
    mutable std::mutex m_lieMutex;
    std::optional<CWhoisBehaviour> m_lie;
    std::size_t m_nTruthfulLeft = 0;
    std::size_t m_nLiesLeft = 0;
    mutable std::mutex m_rateMutex;
    std::optional<CRateWindow> m_rate;
    std::optional<CWhoisBehaviour> m_limited;
};
