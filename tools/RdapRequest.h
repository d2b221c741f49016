#pragma once

#include <cstddef>
#include <string>

// One request as the loopback RDAP server records it for a test.
struct CRdapRequest
{
    std::string m_strMethod;
    std::string m_strTarget;   // as sent, query included
    std::string m_strHost;     // the Host header
    std::string m_strAccept;   // the Accept header, empty when none
    bool m_bTls = false;       // came in through the HTTPS listener
    // Which connection carried it, counting from 1 in order of arrival: two
    // requests with one number shared a kept-alive connection.
    std::size_t m_nConnection = 0;
};
