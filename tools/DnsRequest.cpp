#include "DnsRequest.h"

namespace {

constexpr std::size_t kHeader = 12;
constexpr std::size_t kMaxName = 255;

uint16_t Word(std::string_view bytes, std::size_t at)
{
    return uint16_t((uint8_t(bytes[at]) << 8) | uint8_t(bytes[at + 1]));
}

} // namespace

std::optional<CDnsRequest> CDnsRequest::Read(std::string_view message)
{
    if (message.size() < kHeader || Word(message, 4) != 1)
        return std::nullopt;
    CDnsRequest request;
    request.m_nId = Word(message, 0);
    request.m_nFlags = Word(message, 2);
    if (request.m_nFlags & 0x8000)
        return std::nullopt;   // an answer, not a query
    std::size_t at = kHeader;
    for (;;) {
        if (at >= message.size() || at - kHeader >= kMaxName)
            return std::nullopt;
        const std::size_t length = uint8_t(message[at++]);
        if (length == 0)
            break;
        if (length > 63 || at + length > message.size())
            return std::nullopt;
        if (!request.m_strName.empty())
            request.m_strName += '.';
        request.m_strName.append(message.substr(at, length));
        at += length;
    }
    if (at + 4 > message.size())
        return std::nullopt;
    request.m_nType = Word(message, at);
    request.m_nClass = Word(message, at + 2);
    request.m_question = std::string(message.substr(kHeader, at + 4 - kHeader));
    return request;
}
