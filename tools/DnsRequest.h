#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A query as the loopback DNS server received it.
struct CDnsRequest
{
    uint16_t m_nId = 0;
    uint16_t m_nFlags = 0;
    std::string m_strName;    // labels joined by dots, letter case as sent
    uint16_t m_nType = 0;
    uint16_t m_nClass = 0;
    std::string m_question;   // the question's bytes, to echo in the answer

    // A query with exactly one question, its name without compression;
    // nothing for anything else, which the server ignores.
    static std::optional<CDnsRequest> Read(std::string_view message);
};
