#pragma once

#include "LoopbackText.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <initializer_list>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a loopback server's threads share: the script of behaviours, the log
// of requests and the connection counters, all behind one mutex. Script keys
// are compared without regard to ASCII case.
template <class TBehaviour, class TRequest = std::string>
class CLoopbackState
{
public:
    explicit CLoopbackState(TBehaviour defaultBehaviour)
        : m_default(std::move(defaultBehaviour))
    {
    }

    void SetDefaultBehaviour(TBehaviour behaviour)
    {
        std::lock_guard lock(m_mutex);
        m_default = std::move(behaviour);
    }
    void SetBehaviour(const std::string& key, TBehaviour behaviour)
    {
        std::lock_guard lock(m_mutex);
        m_overrides.insert_or_assign(AsciiLower(key), std::move(behaviour));
    }
    TBehaviour DefaultBehaviour() const
    {
        std::lock_guard lock(m_mutex);
        return m_default;
    }
    // The default while no key has its own behaviour, so that a connection
    // may act before it has read which key it is about.
    std::optional<TBehaviour> OnlyBehaviour() const
    {
        std::lock_guard lock(m_mutex);
        return m_overrides.empty() ? std::optional<TBehaviour>(m_default) : std::nullopt;
    }
    // The behaviour of the first key that has one.
    std::optional<TBehaviour> ScriptedBehaviour(std::initializer_list<std::string> keys) const
    {
        std::lock_guard lock(m_mutex);
        for (const std::string& key : keys)
            if (const auto it = m_overrides.find(AsciiLower(key)); it != m_overrides.end())
                return it->second;
        return std::nullopt;
    }
    TBehaviour BehaviourFor(const std::string& key) const
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_overrides.find(AsciiLower(key));
        return it != m_overrides.end() ? it->second : m_default;
    }

    void AddRequest(TRequest request)
    {
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(std::move(request));
        }
        m_requestAdded.notify_all();
    }
    std::vector<TRequest> Requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    std::size_t RequestCount() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests.size();
    }
    bool WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const
    {
        std::unique_lock lock(m_mutex);
        return m_requestAdded.wait_for(lock, timeout, [&] { return m_requests.size() >= n; });
    }

    // Returns the connection's number, counting from 1 in order of arrival.
    std::size_t ConnectionOpened()
    {
        std::lock_guard lock(m_mutex);
        m_nMaxOpen = std::max(m_nMaxOpen, ++m_nOpen);
        return ++m_nAccepted;
    }
    void ConnectionServed()
    {
        std::lock_guard lock(m_mutex);
        --m_nOpen;
    }
    std::size_t AcceptedCount() const
    {
        std::lock_guard lock(m_mutex);
        return m_nAccepted;
    }
    std::size_t OpenCount() const
    {
        std::lock_guard lock(m_mutex);
        return m_nOpen;
    }
    std::size_t MaxOpenCount() const
    {
        std::lock_guard lock(m_mutex);
        return m_nMaxOpen;
    }

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_requestAdded;
    TBehaviour m_default;
    std::map<std::string, TBehaviour> m_overrides;   // by lower-case key
    std::vector<TRequest> m_requests;
    std::size_t m_nAccepted = 0;
    std::size_t m_nOpen = 0;
    std::size_t m_nMaxOpen = 0;
};
