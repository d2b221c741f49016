#pragma once

#include "LoopbackConnection.h"
#include "LoopbackListener.h"
#include "StopSignal.h"
#include "WhoisBehaviour.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A whois server on 127.0.0.1 (and ::1 when asked) for tests and benchmarks.
// It answers each connection by a scripted behaviour picked by the queried
// name and records what clients sent. Plain sockets and std threads only, so
// ThreadSanitizer sees all of its synchronisation. Every member is safe to
// call from any thread.
class CLoopbackWhoisServer
{
public:
    // Listens at once on a free port unless a port is given; throws
    // std::system_error when it cannot.
    explicit CLoopbackWhoisServer(CWhoisBehaviour defaultBehaviour = CWhoisBehaviour::Template("No match for \"%s\".\r\n"),
                                  bool bIPv6 = false, uint16_t port = 0);
    ~CLoopbackWhoisServer();
    CLoopbackWhoisServer(const CLoopbackWhoisServer&) = delete;
    CLoopbackWhoisServer& operator=(const CLoopbackWhoisServer&) = delete;

    uint16_t Port() const { return m_port; }
    // "127.0.0.1:port", the form a whois server text takes.
    std::string Address() const;

    void SetDefaultBehaviour(CWhoisBehaviour behaviour);
    // For one name, without regard to ASCII case and without the line end.
    void SetBehaviour(const std::string& name, CWhoisBehaviour behaviour);
    // A registry that starts lying under load: the next nTruthful requests,
    // over all connections, get their behaviours; the nLies after them get
    // notFound (each "%s" is the name) whatever the behaviours say, and the
    // rest their behaviours again.
    void LieAfter(std::size_t nTruthful, std::string notFound = "No match for \"%s\".\r\n",
                  std::size_t nLies = SIZE_MAX);

    // A registry that limits queries a second: at most nPerSecond requests
    // in any one second, over all connections, get their behaviours; every
    // other one gets limited (each "%s" is the name), which Telvaro's rules
    // read as a rate limit.
    static constexpr const char* kRateLimitText = "% Query rate limit exceeded for %s, try again later.\r\n";
    void LimitRate(std::size_t nPerSecond, std::string limited = kRateLimitText);

    // The raw bytes of every request so far, line end included, in arrival order.
    std::vector<std::string> Requests() const;
    bool WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const;
    std::size_t AcceptedCount() const;
    // Connections not yet answered to the end (or held open).
    std::size_t OpenCount() const;
    std::size_t MaxOpenCount() const;

    // Closes the listeners and every connection and joins every thread,
    // cutting short any delay, pause or held connection. Repeatable.
    void Stop();

    // A loopback port with nothing listening on it, for refused connections.
    static uint16_t RefusedPort();

private:
    CWhoisState m_state;
    CStopSignal m_stop;
    CLoopbackListener m_listener{m_stop};   // after what its sessions use
    uint16_t m_port = 0;
};
