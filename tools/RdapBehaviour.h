#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the loopback RDAP server answers to one request. The fields compose
// (a delayed, chunked, trickled 429 is fine); the named constructors cover
// the usual cases and read well in a test.
struct CRdapBehaviour
{
    using Millis = std::chrono::milliseconds;
    using Header = std::pair<std::string, std::string>;
    using ChooseFor = std::function<CRdapBehaviour(const std::string& name)>;

    int m_nStatus = 200;
    // Sent as they are after the server's own headers.
    std::vector<Header> m_headers;
    std::string m_strContentType = "application/rdap+json";
    // Every "%s" becomes the queried name, escaped for a JSON string.
    std::string m_strBody;
    // Wait after the request before the first byte of the answer.
    Millis m_delay{0};
    // > 0: the body goes out in pieces of this many bytes after the head,
    // each one m_pause after the one before (the first after the head).
    std::size_t m_nPiece = 0;
    Millis m_pause{20};
    // > 0: the body is a domain object padded to exactly this many bytes
    // (below about 200 bytes only its start, which is no valid JSON).
    std::size_t m_nHuge = 0;
    // Transfer-Encoding: chunked instead of Content-Length (HTTP/1.1 only);
    // each piece is one chunk.
    bool m_bChunked = false;
    // A Content-Length other than the body's; the connection then closes
    // after the body, as the framing is broken.
    std::optional<std::size_t> m_declaredLength;
    // "Connection: close" and close after this answer.
    bool m_bCloseAfter = false;
    // Read the request, then close without a byte.
    bool m_bCloseWithoutAnswer = false;
    // Read the request, then say nothing until the client or the server
    // gives up.
    bool m_bNeverAnswer = false;
    // When set, the request is answered by the behaviour this returns for
    // the name instead. Called on connection threads, so it must be safe to
    // call concurrently.
    ChooseFor m_chooseFor;

    // 200 with a realistic domain object for the name.
    static CRdapBehaviour Registered();
    // 404 with an RDAP error object.
    static CRdapBehaviour NotFound();
    static CRdapBehaviour Answer(int nStatus, std::string body, std::string contentType = "application/rdap+json");
    // 429 or 503 with an error object and Retry-After in seconds or as a date.
    static CRdapBehaviour RateLimited(int nStatus, std::chrono::seconds retryAfter);
    static CRdapBehaviour RateLimitedUntil(int nStatus, std::chrono::system_clock::time_point retryAt);
    // 301/302/307/308 to a path or an absolute URL; "%s" in it becomes the
    // name, percent-encoded.
    static CRdapBehaviour Redirect(int nStatus, std::string location);
    // A 200 whose domain object stops in the middle.
    static CRdapBehaviour InvalidJson();
    static CRdapBehaviour Huge(std::size_t nBytes);
    static CRdapBehaviour CloseWithoutAnswer();
    static CRdapBehaviour NeverAnswer();

    // The body for this name (not for m_nHuge).
    std::string BodyFor(const std::string& name) const;
    // Bytes [offset, offset + n) of the m_nHuge body for the name: a domain
    // object whose remark is long enough, the same however it is cut.
    std::string HugeBody(const std::string& name, std::size_t offset, std::size_t n) const;
};
