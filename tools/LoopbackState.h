#pragma once

#include "WhoisBehaviour.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// What the loopback server's threads share: the script of behaviours, the log
// of requests and the connection counters, all behind one mutex.
class CLoopbackState
{
public:
    explicit CLoopbackState(CWhoisBehaviour defaultBehaviour);

    void SetDefaultBehaviour(CWhoisBehaviour behaviour);
    // Names are compared without regard to ASCII case.
    void SetBehaviour(const std::string& name, CWhoisBehaviour behaviour);
    // Set when a connection may close before its request is read: only when
    // the default closes at once and no name could override it.
    std::optional<CWhoisBehaviour> BehaviourBeforeRequest() const;
    CWhoisBehaviour BehaviourFor(const std::string& name) const;

    void AddRequest(std::string request);
    std::vector<std::string> Requests() const;
    bool WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const;

    void ConnectionOpened();
    void ConnectionServed();
    std::size_t AcceptedCount() const;
    std::size_t OpenCount() const;
    std::size_t MaxOpenCount() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_requestAdded;
    CWhoisBehaviour m_default;
    std::map<std::string, CWhoisBehaviour> m_overrides;   // by lower-case name
    std::vector<std::string> m_requests;
    std::size_t m_nAccepted = 0;
    std::size_t m_nOpen = 0;
    std::size_t m_nMaxOpen = 0;
};
