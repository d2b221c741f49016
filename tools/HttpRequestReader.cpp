#include "HttpRequestReader.h"

#include "HttpText.h"
#include "LoopbackText.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr std::size_t kMaxChunkLine = 1024;

bool IsTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || std::strchr("!#$%&'*+-.^_`|~", c) != nullptr;
}

bool IsToken(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c != '\0' && IsTokenChar(c); });
}

// Visible bytes only, obs-text included: no white space, no controls.
bool IsTarget(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)(c) > 0x20 && c != 0x7f; });
}

bool IsFieldValue(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '\t' || ((unsigned char)(c) >= 0x20 && c != 0x7f); });
}


// Digits only; false for anything else or a value above the limit.
bool ParseDecimal(std::string_view text, std::size_t limit, std::size_t& value, bool& tooLarge)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = 0;
    for (char c : text) {
        value = value * 10 + std::size_t(c - '0');
        if (value > limit) {
            tooLarge = true;
            return false;
        }
    }
    return true;
}

} // namespace

CHttpRequestReader::Result CHttpRequestReader::Next()
{
    if (m_part == Part::Head) {
        const Result head = ReadHead();
        if (head != Result::Complete)
            return head;
    }
    const Result body = ReadBody();
    if (body == Result::Complete) {
        m_buffer.erase(0, m_nAt);
        m_nAt = 0;
        m_nScanned = 0;
        m_part = Part::Head;
    }
    return body;
}

CHttpRequestReader::Result CHttpRequestReader::Fail(int nStatus)
{
    m_nErrorStatus = nStatus;
    return Result::Bad;
}

CHttpRequestReader::Result CHttpRequestReader::ReadHead()
{
    // Empty lines before a request are left over from a sloppy previous
    // body; they are skipped, not an error.
    const std::size_t first = m_buffer.find_first_not_of("\r\n");
    if (first == std::string::npos) {
        m_buffer.clear();
        return Result::NeedMore;
    }
    if (first > 0) {
        m_buffer.erase(0, first);
        m_nScanned = 0;
    }
    std::size_t end = std::string::npos;
    std::size_t endLength = 0;
    for (std::size_t at = m_buffer.find('\n', m_nScanned); at != std::string::npos; at = m_buffer.find('\n', at + 1)) {
        if (at + 1 < m_buffer.size() && m_buffer[at + 1] == '\n') {
            end = at + 1;
            endLength = 1;
            break;
        }
        if (at + 2 < m_buffer.size() && m_buffer[at + 1] == '\r' && m_buffer[at + 2] == '\n') {
            end = at + 1;
            endLength = 2;
            break;
        }
    }
    if (end == std::string::npos) {
        if (m_buffer.size() > kMaxHead)
            return Fail(431);
        // The last two bytes may begin the blank line.
        m_nScanned = m_buffer.size() > 2 ? m_buffer.size() - 2 : 0;
        return Result::NeedMore;
    }
    if (end > kMaxHead)
        return Fail(431);
    m_request = CHttpRequest();
    const Result head = ParseHead(std::string_view(m_buffer).substr(0, end));
    if (head != Result::Complete)
        return head;
    m_nAt = end + endLength;
    return ChooseBody();
}

CHttpRequestReader::Result CHttpRequestReader::ParseHead(std::string_view head)
{
    bool bFirst = true;
    while (!head.empty()) {
        const std::size_t lf = head.find('\n');
        std::string_view line = head.substr(0, lf);
        head.remove_prefix(lf == std::string_view::npos ? head.size() : lf + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const Result parsed = bFirst ? ParseRequestLine(line) : ParseHeaderLine(line);
        if (parsed != Result::Complete)
            return parsed;
        bFirst = false;
    }
    const std::size_t hosts = m_request.HeaderCount("Host");
    if (hosts > 1 || (hosts == 0 && m_request.m_strVersion == "HTTP/1.1"))
        return Fail(400);
    return Result::Complete;
}

CHttpRequestReader::Result CHttpRequestReader::ParseRequestLine(std::string_view line)
{
    const std::size_t sp1 = line.find(' ');
    const std::size_t sp2 = sp1 == std::string_view::npos ? sp1 : line.find(' ', sp1 + 1);
    if (sp2 == std::string_view::npos || line.find(' ', sp2 + 1) != std::string_view::npos)
        return Fail(400);
    const std::string_view method = line.substr(0, sp1);
    const std::string_view target = line.substr(sp1 + 1, sp2 - sp1 - 1);
    const std::string_view version = line.substr(sp2 + 1);
    if (!IsToken(method) || !IsTarget(target))
        return Fail(400);
    if (version.size() != 8 || !version.starts_with("HTTP/") || version[6] != '.'
        || !std::isdigit((unsigned char)version[5]) || !std::isdigit((unsigned char)version[7]))
        return Fail(400);
    if (version != "HTTP/1.1" && version != "HTTP/1.0")
        return Fail(505);
    m_request.m_strMethod = method;
    m_request.m_strTarget = target;
    m_request.m_strVersion = version;
    return Result::Complete;
}

CHttpRequestReader::Result CHttpRequestReader::ParseHeaderLine(std::string_view line)
{
    // A folded line, a name with white space before its colon or a stray
    // control byte are all ways to smuggle a second meaning past a proxy.
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || !IsToken(line.substr(0, colon)))
        return Fail(400);
    const std::string_view value = TrimmedBlanks(line.substr(colon + 1));
    if (!IsFieldValue(value))
        return Fail(400);
    m_request.m_headers.emplace_back(line.substr(0, colon), value);
    return Result::Complete;
}

CHttpRequestReader::Result CHttpRequestReader::ChooseBody()
{
    const bool bChunked = m_request.HeaderCount("Transfer-Encoding") > 0;
    const std::size_t lengths = m_request.HeaderCount("Content-Length");
    if (bChunked) {
        // Both framings at once is the classic smuggling request.
        if (lengths > 0)
            return Fail(400);
        if (m_request.HeaderCount("Transfer-Encoding") != 1 || !EqualsNoCase(m_request.Header("Transfer-Encoding"), "chunked"))
            return Fail(501);
        m_part = Part::ChunkSize;
        return Result::Complete;
    }
    m_nLeft = 0;
    if (lengths > 0) {
        std::size_t length = 0;
        for (const auto& [name, value] : m_request.m_headers) {
            if (!EqualsNoCase(name, "Content-Length"))
                continue;
            std::size_t one = 0;
            bool bTooLarge = false;
            if (!ParseDecimal(value, kMaxBody, one, bTooLarge))
                return Fail(bTooLarge ? 413 : 400);
            if (one != length && length != 0)
                return Fail(400);
            length = one;
        }
        m_nLeft = length;
    }
    m_part = Part::LengthBody;
    return Result::Complete;
}

bool CHttpRequestReader::NextLine(std::string_view& line, std::size_t nMax, Result& tooLong)
{
    const std::size_t lf = m_buffer.find('\n', m_nAt);
    if (lf == std::string::npos) {
        tooLong = m_buffer.size() - m_nAt > nMax ? Fail(400) : Result::NeedMore;
        return false;
    }
    line = std::string_view(m_buffer).substr(m_nAt, lf - m_nAt);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    m_nAt = lf + 1;
    return true;
}

CHttpRequestReader::Result CHttpRequestReader::ReadBody()
{
    for (;;) {
        switch (m_part) {
        case Part::Head:
            return Result::Complete;
        case Part::LengthBody:
        case Part::ChunkData: {
            const std::size_t take = std::min(m_nLeft, m_buffer.size() - m_nAt);
            m_request.m_strBody.append(m_buffer, m_nAt, take);
            m_nAt += take;
            m_nLeft -= take;
            if (m_nLeft > 0)
                return Result::NeedMore;
            if (m_part == Part::LengthBody)
                return Result::Complete;
            m_part = Part::ChunkEnd;
            break;
        }
        case Part::ChunkEnd: {
            std::string_view line;
            Result wait;
            if (!NextLine(line, 2, wait))
                return wait;
            if (!line.empty())
                return Fail(400);
            m_part = Part::ChunkSize;
            break;
        }
        case Part::ChunkSize: {
            const Result size = ReadChunkSize();
            if (size != Result::Complete)
                return size;
            break;
        }
        case Part::Trailer: {
            const Result trailer = ReadTrailer();
            if (trailer != Result::Complete || m_part == Part::Head)
                return trailer;
            break;
        }
        }
    }
}

CHttpRequestReader::Result CHttpRequestReader::ReadChunkSize()
{
    std::string_view line;
    Result wait;
    if (!NextLine(line, kMaxChunkLine, wait))
        return wait;
    std::size_t size = 0;
    std::size_t digits = 0;
    for (; digits < line.size() && HttpText::HexValue(line[digits]) >= 0; ++digits) {
        size = size * 16 + std::size_t(HttpText::HexValue(line[digits]));
        if (size > kMaxBody)
            return Fail(413);
    }
    // Chunk extensions are allowed and mean nothing here.
    const std::string_view rest = TrimmedBlanks(line.substr(digits));
    if (digits == 0 || (!rest.empty() && rest.front() != ';'))
        return Fail(400);
    if (m_request.m_strBody.size() + size > kMaxBody)
        return Fail(413);
    m_nLeft = size;
    m_nTrailer = 0;
    m_part = size == 0 ? Part::Trailer : Part::ChunkData;
    return Result::Complete;
}

// Trailer fields are read past and dropped; an empty line ends the request.
CHttpRequestReader::Result CHttpRequestReader::ReadTrailer()
{
    std::string_view line;
    Result wait;
    if (!NextLine(line, kMaxHead - std::min(m_nTrailer, kMaxHead), wait))
        return wait == Result::Bad ? Fail(431) : wait;
    m_nTrailer += line.size() + 2;
    if (m_nTrailer > kMaxHead)
        return Fail(431);
    if (line.empty())
        m_part = Part::Head;
    return Result::Complete;
}
