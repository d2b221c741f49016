#pragma once

#include "DnsBehaviour.h"
#include "DnsServerState.h"
#include "LoopbackListener.h"
#include "StopSignal.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A DNS server on 127.0.0.1, UDP and TCP on one port, for tests and
// benchmarks. It answers each query by a scripted behaviour picked by the
// queried name and records the queries. Plain sockets and std threads only,
// so ThreadSanitizer sees all of its synchronisation. Every member is safe
// to call from any thread.
class CLoopbackDnsServer
{
public:
    // Listens at once on a free port unless a port is given; throws
    // std::system_error when it cannot.
    explicit CLoopbackDnsServer(CDnsBehaviour defaultBehaviour = CDnsBehaviour::NxDomain(), uint16_t port = 0);
    ~CLoopbackDnsServer();
    CLoopbackDnsServer(const CLoopbackDnsServer&) = delete;
    CLoopbackDnsServer& operator=(const CLoopbackDnsServer&) = delete;

    uint16_t Port() const { return m_port; }
    // "127.0.0.1:port", the form TELVARO_DNS_SERVER takes.
    std::string Address() const;

    void SetDefaultBehaviour(CDnsBehaviour behaviour);
    // For one name, without regard to ASCII case or a final dot.
    void SetBehaviour(const std::string& name, CDnsBehaviour behaviour);

    // Every query understood so far, in arrival order.
    std::vector<CDnsQueryRecord> Queries() const;
    bool WaitForQueries(std::size_t n, std::chrono::milliseconds timeout) const;

    // Closes the sockets, drops delayed answers and joins every thread.
    // Repeatable.
    void Stop();

private:
    CDnsServerState m_state;
    CStopSignal m_stop;
    CLoopbackListener m_listener{m_stop};   // after what its sessions use
    uint16_t m_port = 0;
};
