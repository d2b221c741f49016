#include "LoopbackState.h"

#include <algorithm>
#include <utility>

namespace {

// Whois names are ASCII; a locale must not fold other bytes.
std::string AsciiLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

} // namespace

CLoopbackState::CLoopbackState(CWhoisBehaviour defaultBehaviour)
    : m_default(std::move(defaultBehaviour))
{
}

void CLoopbackState::SetDefaultBehaviour(CWhoisBehaviour behaviour)
{
    std::lock_guard lock(m_mutex);
    m_default = std::move(behaviour);
}

void CLoopbackState::SetBehaviour(const std::string& name, CWhoisBehaviour behaviour)
{
    std::lock_guard lock(m_mutex);
    m_overrides.insert_or_assign(AsciiLower(name), std::move(behaviour));
}

std::optional<CWhoisBehaviour> CLoopbackState::BehaviourBeforeRequest() const
{
    std::lock_guard lock(m_mutex);
    if (m_default.m_bCloseAtOnce && m_overrides.empty())
        return m_default;
    return std::nullopt;
}

CWhoisBehaviour CLoopbackState::BehaviourFor(const std::string& name) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_overrides.find(AsciiLower(name));
    return it != m_overrides.end() ? it->second : m_default;
}

void CLoopbackState::AddRequest(std::string request)
{
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(std::move(request));
    }
    m_requestAdded.notify_all();
}

std::vector<std::string> CLoopbackState::Requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

bool CLoopbackState::WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_requestAdded.wait_for(lock, timeout, [&] { return m_requests.size() >= n; });
}

void CLoopbackState::ConnectionOpened()
{
    std::lock_guard lock(m_mutex);
    ++m_nAccepted;
    m_nMaxOpen = std::max(m_nMaxOpen, ++m_nOpen);
}

void CLoopbackState::ConnectionServed()
{
    std::lock_guard lock(m_mutex);
    --m_nOpen;
}

std::size_t CLoopbackState::AcceptedCount() const
{
    std::lock_guard lock(m_mutex);
    return m_nAccepted;
}

std::size_t CLoopbackState::OpenCount() const
{
    std::lock_guard lock(m_mutex);
    return m_nOpen;
}

std::size_t CLoopbackState::MaxOpenCount() const
{
    std::lock_guard lock(m_mutex);
    return m_nMaxOpen;
}
