#include "HttpRequest.h"

#include "LoopbackText.h"

#include <algorithm>

std::string CHttpRequest::Header(std::string_view name) const
{
    const auto it = std::find_if(m_headers.begin(), m_headers.end(),
                                 [&](const auto& h) { return EqualsNoCase(h.first, name); });
    return it != m_headers.end() ? it->second : std::string();
}

std::size_t CHttpRequest::HeaderCount(std::string_view name) const
{
    return std::size_t(std::count_if(m_headers.begin(), m_headers.end(),
                                     [&](const auto& h) { return EqualsNoCase(h.first, name); }));
}

bool CHttpRequest::HeaderHasToken(std::string_view name, std::string_view token) const
{
    for (const auto& [key, value] : m_headers) {
        if (!EqualsNoCase(key, name))
            continue;
        std::string_view rest = value;
        while (!rest.empty()) {
            const std::size_t comma = std::min(rest.find(','), rest.size());
            if (EqualsNoCase(TrimmedBlanks(rest.substr(0, comma)), token))
                return true;
            rest.remove_prefix(std::min(comma + 1, rest.size()));
        }
    }
    return false;
}

bool CHttpRequest::WantsKeepAlive() const
{
    if (HeaderHasToken("Connection", "close"))
        return false;
    return m_strVersion == "HTTP/1.1" || HeaderHasToken("Connection", "keep-alive");
}

std::string CHttpRequest::Path() const
{
    std::string_view path = m_strTarget;
    path = path.substr(0, std::min(path.find('?'), path.find('#')));
    if (const std::size_t scheme = path.find("://"); scheme != std::string_view::npos && !path.starts_with('/')) {
        const std::size_t slash = path.find('/', scheme + 3);
        path = slash == std::string_view::npos ? std::string_view("/") : path.substr(slash);
    }
    return std::string(path);
}
