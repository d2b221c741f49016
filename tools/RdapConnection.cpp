#include "RdapConnection.h"

#include "HttpText.h"
#include "LoopbackText.h"
#include "RdapJson.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

using Clock = CLoopbackStream::Clock;

// How long a finished connection waits for the client to close first.
constexpr std::chrono::seconds kLinger{2};
// A huge body goes out in blocks of this size, never as one string.
constexpr std::size_t kBodyBlock = 64 * 1024;

// The queried name: what follows the last "/domain/" of the path, decoded.
std::string NameOf(const std::string& path)
{
    const std::size_t at = path.rfind("/domain/");
    return at == std::string::npos ? std::string() : HttpText::PercentDecoded(path.substr(at + 8));
}

std::string StatusLine(int nStatus)
{
    return "HTTP/1.1 " + std::to_string(nStatus) + " " + std::string(HttpText::ReasonPhrase(nStatus)) + "\r\n";
}

std::string CommonHeaders(const std::string& contentType)
{
    std::string head = "Date: " + HttpText::Date(std::chrono::system_clock::now()) + "\r\n";
    if (!contentType.empty())
        head += "Content-Type: " + contentType + "\r\n";
    return head;
}

std::string Chunk(std::string_view bytes)
{
    char size[24];
    std::snprintf(size, sizeof size, "%zx\r\n", bytes.size());
    return size + std::string(bytes) + "\r\n";
}

CRdapBehaviour MethodNotAllowed()
{
    CRdapBehaviour b = CRdapBehaviour::Answer(405, RdapJson::Error(405, "Method Not Allowed", "Only GET and HEAD are answered."));
    b.m_headers.emplace_back("Allow", "GET, HEAD");
    return b;
}

CRdapBehaviour NotADomainQuery()
{
    return CRdapBehaviour::Answer(404, RdapJson::Error(404, "Not Found", "Only domain queries are answered here."));
}

} // namespace

CRdapConnection::CRdapConnection(int hSocket, CRdapState& state, CStopSignal& stop, const CTlsContext* pTls,
                                 std::chrono::milliseconds idleTimeout)
    : m_stream(hSocket, stop, pTls)
    , m_state(state)
    , m_stop(stop)
    , m_idleTimeout(idleTimeout)
{
    m_thread = std::thread(&CRdapConnection::Serve, this);
}

CRdapConnection::~CRdapConnection()
{
    m_thread.join();
}

void CRdapConnection::Serve()
{
    m_nConnection = m_state.ConnectionOpened();
    bool bOpen = m_stream.Handshake(Clock::now() + m_idleTimeout);
    while (bOpen) {
        switch (ReadRequest()) {
        case Read::Request:
            bOpen = Answer(m_reader.Request());
            break;
        case Read::Bad:
            SendError(m_reader.ErrorStatus(), "The request is not one this server can read.");
            bOpen = false;
            break;
        case Read::Idle:
            // Silence between requests just ends the connection; silence
            // in the middle of one is the client's fault, and it is told.
            if (m_reader.HasPartial())
                SendError(408, "The request did not arrive in time.");
            bOpen = false;
            break;
        case Read::Gone:
            bOpen = false;
            break;
        }
    }
    // Served before the FIN goes out, so a client that connects again after
    // reading the end never sees this one still open.
    m_state.ConnectionServed();
    m_stream.Finish(Clock::now() + kLinger);
    m_stream.Close();
    MarkDone();
}

CRdapConnection::Read CRdapConnection::ReadRequest()
{
    // One deadline for the whole request, so trickling it byte by byte buys
    // a client no more time than silence does.
    const auto deadline = Clock::now() + m_idleTimeout;
    for (;;) {
        switch (m_reader.Next()) {
        case CHttpRequestReader::Result::Complete:
            return Read::Request;
        case CHttpRequestReader::Result::Bad:
            return Read::Bad;
        case CHttpRequestReader::Result::NeedMore:
            break;
        }
        std::string bytes;
        switch (m_stream.ReadSome(bytes, deadline)) {
        case CLoopbackStream::Status::Ok:
            m_reader.Append(bytes);
            break;
        case CLoopbackStream::Status::TimedOut:
            return Read::Idle;
        default:
            return Read::Gone;
        }
    }
}

bool CRdapConnection::Answer(const CHttpRequest& request)
{
    m_state.AddRequest({request.m_strMethod, request.m_strTarget, request.Header("Host"), request.Header("Accept"),
                        m_stream.IsTls(), m_nConnection});
    std::string name;
    const CRdapBehaviour behaviour = Chosen(request, name);
    if (request.m_strMethod != "GET" && request.m_strMethod != "HEAD")
        return Play(request, MethodNotAllowed(), name);
    return Play(request, behaviour, name);
}

CRdapBehaviour CRdapConnection::Chosen(const CHttpRequest& request, std::string& name) const
{
    const std::string path = request.Path();
    name = NameOf(path);
    const RdapListener on = m_stream.IsTls() ? RdapListener::Https : RdapListener::Http;
    std::optional<CRdapBehaviour> scripted = name.empty()
        ? m_state.ScriptedBehaviour({RdapScriptKey(on, path), path})
        : m_state.ScriptedBehaviour({RdapScriptKey(on, path), path, RdapScriptKey(on, name), name});
    if (!scripted)
        scripted = name.empty() ? NotADomainQuery() : m_state.DefaultBehaviour();
    return scripted->m_chooseFor ? scripted->m_chooseFor(name) : *scripted;
}

bool CRdapConnection::Play(const CHttpRequest& request, const CRdapBehaviour& behaviour, const std::string& name)
{
    if (!m_stop.Sleep(behaviour.m_delay) || behaviour.m_bCloseWithoutAnswer)
        return false;
    if (behaviour.m_bNeverAnswer) {
        m_stream.HoldUntilClosed();
        return false;
    }
    const bool bHttp11 = request.m_strVersion == "HTTP/1.1";
    const bool bChunked = behaviour.m_bChunked && bHttp11;
    const std::string body = behaviour.m_nHuge > 0 ? std::string() : behaviour.BodyFor(name);
    const std::size_t length = behaviour.m_nHuge > 0 ? behaviour.m_nHuge : body.size();
    const bool bFramed = bChunked || behaviour.m_declaredLength.value_or(length) == length;
    const bool bKeep = request.WantsKeepAlive() && !behaviour.m_bCloseAfter && bFramed;

    std::string head = StatusLine(behaviour.m_nStatus) + CommonHeaders(behaviour.m_strContentType);
    if (bChunked)
        head += "Transfer-Encoding: chunked\r\n";
    else
        head += "Content-Length: " + std::to_string(behaviour.m_declaredLength.value_or(length)) + "\r\n";
    if (!bKeep)
        head += "Connection: close\r\n";
    else if (!bHttp11)
        head += "Connection: keep-alive\r\n";
    for (const auto& [key, value] : behaviour.m_headers) {
        // The name came from the client: encoded, it cannot end the header.
        const bool bLocation = EqualsNoCase(key, "Location");
        head += key + ": " + (bLocation ? Substitute(value, HttpText::PercentEncoded(name)) : value) + "\r\n";
    }
    head += "\r\n";

    if (request.m_strMethod == "HEAD")
        return m_stream.WriteAll(head) && bKeep;
    if (behaviour.m_nPiece == 0 && behaviour.m_nHuge == 0 && !bChunked)
        return m_stream.WriteAll(head + body) && bKeep;
    return m_stream.WriteAll(head) && SendBody(behaviour, name, body, bChunked) && bKeep;
}

bool CRdapConnection::SendBody(const CRdapBehaviour& behaviour, const std::string& name, const std::string& body,
                               bool bChunked)
{
    const std::size_t length = behaviour.m_nHuge > 0 ? behaviour.m_nHuge : body.size();
    const std::size_t piece = behaviour.m_nPiece > 0 ? behaviour.m_nPiece : kBodyBlock;
    for (std::size_t at = 0; at < length; at += piece) {
        // A trickle pauses after the head too, so the head is seen alone.
        if (behaviour.m_nPiece > 0 && !m_stop.Sleep(behaviour.m_pause))
            return false;
        const std::size_t n = std::min(piece, length - at);
        const std::string bytes = behaviour.m_nHuge > 0 ? behaviour.HugeBody(name, at, n) : body.substr(at, n);
        if (!m_stream.WriteAll(bChunked ? Chunk(bytes) : bytes))
            return false;
    }
    return !bChunked || m_stream.WriteAll("0\r\n\r\n");
}

bool CRdapConnection::SendError(int nStatus, const char* description)
{
    const std::string body = RdapJson::Error(nStatus, HttpText::ReasonPhrase(nStatus), description);
    return m_stream.WriteAll(StatusLine(nStatus) + CommonHeaders("application/rdap+json") + "Content-Length: "
                             + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}
