#include "lookup/WhoisConnection.h"

#include "model/DomainInfo.h"
#include "net/DnsClient.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstring>
#include <system_error>
#include <thread>

namespace {

constexpr int kChunkSize = 2095;

void CopyText(char* dest, size_t size, QByteArrayView text)
{
    const size_t n = qMin(size_t(text.size()), size - 1);
    std::memcpy(dest, text.data(), n);
    dest[n] = '\0';
}

CWhoisSocket::Deadline DeadlineAfter(int seconds)
{
    if (seconds <= 0)
        return std::nullopt;
    return CWhoisSocket::Clock::now() + std::chrono::seconds(seconds);
}

}

CWhoisConnection::CWhoisConnection() : m_pszAnswer(new char[4096])
{
    m_pszAnswer[0] = '\0';
}

CWhoisConnection::~CWhoisConnection() = default;

void CWhoisConnection::SetMessage(QByteArrayView text)
{
    CopyText(m_szMessage, sizeof m_szMessage, text);
}

bool CWhoisConnection::Start(CDomainInfo& record, const QByteArray& name, const CLookupOptions& options)
{
    if (record.IsBusy())
        return false;
    auto conn = std::make_shared<CWhoisConnection>();
    CopyText(conn->m_szDomain, sizeof conn->m_szDomain, name);
    const QByteArrayView domain(conn->m_szDomain);
    // A name whose TLD left the table is asked of the row that abcd.com finds.
    if (const CTLDInfo* row = FindLookupRow(domain))
        conn->m_pSlot = row->m_pHostEnt;
    conn->m_strServer = GetWhoisServer(domain);
    conn->Attach(record, conn, options);

    CMainThreadQueue::Listen();
    CMainThreadQueue::ThreadStarting();
    try {
        std::thread(LookupThreadProc, conn).detach();
    } catch (const std::system_error&) {
        conn->Unattach(record);
        CMainThreadQueue::ThreadEnded();
        return false;
    }
    return true;
}

bool CWhoisConnection::QueryWhois()
{
    if (m_nAnswerSize != 0)
        m_pszAnswer[0] = '\0';

    if (!m_socket.Startup(1, 1)) {
        SetMessage("Error initializing WinSock.\n");
        return false;
    }
    if (!m_pSlot) {
        SetMessage("'whois' server not defined.\n");
        return false;
    }

    // Wait for the server's address; a stop ends the wait, and so does the
    // time limit, so a server whose name never resolves cannot hold a
    // lookup (and its connection slot) for ever.
    const std::shared_ptr<const CHostEntry> entry =
        m_pSlot->WaitForEntry(m_socket.m_bAbort, DeadlineAfter(m_nTimeoutSeconds));
    if (!entry) {
        SetMessage("Unknown 'whois' server (" + m_strServer + ")\n");
        return false;
    }

    // Try every address the server resolved to until one accepts.
    const CWhoisSocket::Deadline connectBy = DeadlineAfter(m_nTimeoutSeconds);
    bool created = false;
    bool connected = false;
    bool timedOut = false;
    for (const CHostAddress& address : entry->m_addresses) {
        if (!m_socket.Create(address.m_addr.ss_family, SOCK_STREAM, IPPROTO_TCP))
            continue;
        created = true;
        const auto result = m_socket.Connect(address, connectBy);
        if (result == CWhoisSocket::ConnectResult::Connected) {
            connected = true;
            break;
        }
        if (result == CWhoisSocket::ConnectResult::TimedOut) {
            timedOut = true;
            break;
        }
        if (result == CWhoisSocket::ConnectResult::Aborted)
            break;
    }
    if (!connected) {
        if (timedOut)
            SetMessage("whois: connection timed out");
        else if (!created)
            SetMessage("whois: unable to create socket");
        else
            SetMessage("whois: unable to connect to WHOIS server");
        m_socket.Close();
        return false;
    }

    // A very long host and domain name are cut to the header buffer.
    SetMessage("WHOIS server: " + entry->m_strHostName + ", Domain: " + m_szDomain + "\n\n");
    CopyText(m_pszAnswer.get(), size_t(m_nAnswerSize), m_szMessage);

    char request[sizeof m_szDomain + 2];
    const int requestLength = std::snprintf(request, sizeof request, "%s\r\n", m_szDomain);
    [[maybe_unused]] const ssize_t sent = ::send(m_socket.m_hSocket, request, size_t(requestLength), MSG_NOSIGNAL);

    const bool ok = ReceiveAnswer(DeadlineAfter(m_nTimeoutSeconds));
    m_socket.Close();
    return ok;
}

bool CWhoisConnection::ReceiveAnswer(CWhoisSocket::Deadline deadline)
{
    size_t length = std::strlen(m_pszAnswer.get());
    char chunk[kChunkSize];
    for (;;) {
        const CWhoisSocket::Wait wait = m_socket.WaitFor(POLLIN, deadline);
        if (wait == CWhoisSocket::Wait::TimedOut) {
            SetMessage("whois: connection timed out");
            return false;
        }
        if (wait != CWhoisSocket::Wait::Ready)
            return true;   // stopped: keep what came so far
        const ssize_t got = ::recv(m_socket.m_hSocket, chunk, sizeof chunk, 0);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (got <= 0)
            return true;
        // A chunk is taken as text up to its first NUL, right-aligned in
        // the chunk's width: the bytes after a NUL become leading spaces.
        const size_t n = size_t(got);
        const size_t textLength = strnlen(chunk, n);
        if (length + n > size_t(m_nAnswerSize) - 1)
            return true;   // would not fit: the answer ends before this chunk
        char* out = m_pszAnswer.get() + length;
        std::memset(out, ' ', n - textLength);
        std::memcpy(out + (n - textLength), chunk, textLength);
        length += n;
        m_pszAnswer[length] = '\0';
    }
}

void LookupThreadProc(std::shared_ptr<CWhoisConnection> conn)
{
    {
        CWhoisConnection& c = *conn;
        const bool ok = c.QueryWhois();
        QByteArray text(ok ? c.m_pszAnswer.get() : c.m_szMessage);
        c.m_socket.Close();
        c.Settle(std::move(text));
        if (c.WantsDns()) {
            // On the lookup's socket, so that a stop ends the query too.
            CDnsClient dns(c.m_socket);
            c.CheckDns(dns, QByteArray(c.m_szDomain));
        }
        c.MarkFinished();
        CMainThreadQueue::Post([conn = std::move(conn)] { CLookup::Deliver(conn); });
    }
    CMainThreadQueue::ThreadEnded();
}
