#pragma once

#include "DnsBehaviour.h"
#include "LoopbackState.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One query the loopback DNS server received.
struct CDnsQueryRecord
{
    std::string m_strName;
    uint16_t m_nType = 0;
    bool m_bTcp = false;

    bool operator==(const CDnsQueryRecord&) const = default;
};

// What the loopback DNS server's threads share: the script of behaviours and
// the log of queries. Safe to use from any thread.
class CDnsServerState
{
public:
    // An answer to send, once its delay has passed.
    struct CReply
    {
        std::string m_bytes;
        std::chrono::milliseconds m_delay{0};
    };

    explicit CDnsServerState(CDnsBehaviour defaultBehaviour);

    void SetDefaultBehaviour(CDnsBehaviour behaviour);
    // Without regard to ASCII case or a final dot.
    void SetBehaviour(std::string name, CDnsBehaviour behaviour);

    // Logs the query and builds its answer; nothing when the query is not
    // one or its name is to be dropped.
    std::optional<CReply> Reply(std::string_view query, bool bTcp);

    std::vector<CDnsQueryRecord> Queries() const;
    bool WaitForQueries(std::size_t n, std::chrono::milliseconds timeout) const;

private:
    CLoopbackState<CDnsBehaviour, CDnsQueryRecord> m_shared;
};
