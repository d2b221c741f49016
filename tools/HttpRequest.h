#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One HTTP/1.x request as the loopback RDAP server read it.
struct CHttpRequest
{
    std::string m_strMethod;
    std::string m_strTarget;    // as sent, query included
    std::string m_strVersion;   // "HTTP/1.1" or "HTTP/1.0"
    // In arrival order; values without the white space around them.
    std::vector<std::pair<std::string, std::string>> m_headers;
    std::string m_strBody;

    // The first value of the header, without regard to the name's case.
    std::string Header(std::string_view name) const;
    std::size_t HeaderCount(std::string_view name) const;
    // Whether the header's comma-separated list holds the token.
    bool HeaderHasToken(std::string_view name, std::string_view token) const;
    // HTTP/1.1 keeps the connection unless told to close; 1.0 only when asked.
    bool WantsKeepAlive() const;
    // The path of the target: no query or fragment, no scheme and host of
    // an absolute-form target.
    std::string Path() const;
};
