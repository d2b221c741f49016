#pragma once

#include "HttpRequest.h"

#include <cstddef>
#include <string>
#include <string_view>

// Cuts HTTP/1.x requests out of the bytes a client sends, one after the
// other on a kept-alive connection. It reads the head, then a body framed by
// Content-Length or chunked coding, and refuses what a sound client never
// sends instead of guessing at it. Every size is checked against a limit, so
// a hostile client costs bounded memory.
class CHttpRequestReader
{
public:
    enum class Result { NeedMore, Complete, Bad };

    static constexpr std::size_t kMaxHead = 16 * 1024;
    static constexpr std::size_t kMaxBody = 64 * 1024;

    void Append(std::string_view bytes) { m_buffer.append(bytes); }
    // Parses on from the bytes so far. After Complete the request is in
    // Request() and its bytes are gone from the buffer; after Bad the
    // connection is beyond repair and ErrorStatus() tells the status to
    // answer with.
    Result Next();
    const CHttpRequest& Request() const { return m_request; }
    int ErrorStatus() const { return m_nErrorStatus; }
    // Bytes of a request that is not complete yet.
    bool HasPartial() const { return !m_buffer.empty(); }

private:
    enum class Part { Head, LengthBody, ChunkSize, ChunkData, ChunkEnd, Trailer };

    Result ReadHead();
    Result ParseHead(std::string_view head);
    Result ParseRequestLine(std::string_view line);
    Result ParseHeaderLine(std::string_view line);
    Result ChooseBody();
    Result ReadBody();
    Result ReadChunkSize();
    Result ReadTrailer();
    Result Fail(int nStatus);
    // The next line from m_nAt without its line end, false while it is not
    // all there.
    bool NextLine(std::string_view& line, std::size_t nMax, Result& tooLong);

    std::string m_buffer;
    std::size_t m_nAt = 0;        // where parsing goes on in m_buffer
    std::size_t m_nScanned = 0;   // the head end is not before this
    Part m_part = Part::Head;
    std::size_t m_nLeft = 0;      // body or chunk bytes still to come
    std::size_t m_nTrailer = 0;
    CHttpRequest m_request;
    int m_nErrorStatus = 0;
};
