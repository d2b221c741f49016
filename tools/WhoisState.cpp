#include "WhoisState.h"

#include <utility>

void CWhoisState::LieAfter(std::size_t nTruthful, CWhoisBehaviour lie, std::size_t nLies)
{
    std::lock_guard lock(m_lieMutex);
    m_lie = std::move(lie);
    m_nTruthfulLeft = nTruthful;
    m_nLiesLeft = nLies;
}

void CWhoisState::LimitRate(std::size_t nPerSecond, CWhoisBehaviour limited)
{
    std::lock_guard lock(m_rateMutex);
    m_rate.emplace(nPerSecond);
    m_limited = std::move(limited);
}

std::optional<CWhoisBehaviour> CWhoisState::BehaviourBeforeRequest() const
{
    {
        std::lock_guard lock(m_lieMutex);
        if (m_lie)
            return std::nullopt;
    }
    {
        std::lock_guard lock(m_rateMutex);
        if (m_rate)
            return std::nullopt;
    }
    std::optional<CWhoisBehaviour> only = OnlyBehaviour();
    if (only && only->m_bCloseAtOnce)
        return only;
    return std::nullopt;
}

CWhoisBehaviour CWhoisState::BehaviourForRequest(std::string request, const std::string& name)
{
    if (!request.empty()) {
        AddRequest(std::move(request));
        {
            std::lock_guard lock(m_rateMutex);
            if (m_rate && !m_rate->Admit(CRateWindow::Clock::now()))
                return *m_limited;
        }
        std::lock_guard lock(m_lieMutex);
        if (m_lie) {
            if (m_nTruthfulLeft == 0 && m_nLiesLeft > 0) {
                if (m_nLiesLeft != SIZE_MAX)
                    --m_nLiesLeft;
                return *m_lie;
            }
            if (m_nTruthfulLeft > 0)
                --m_nTruthfulLeft;
        }
    }
    return BehaviourFor(name);
}
