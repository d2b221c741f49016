#include "lookup/WhoisConnection.h"

#include "verdict/WhoisAnswer.h"
#include "model/DomainInfo.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"

#include <QCoreApplication>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstring>
#include <system_error>
#include <thread>

const QEvent::Type CLookupDoneEvent::kType = QEvent::Type(QEvent::registerEventType());

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
    conn->m_nTimeoutSeconds = options.m_nTimeoutSeconds;
    conn->m_bStripOutput = options.m_bStripOutput;
    conn->m_nPrevStatus = record.m_nPrevStatus;
    conn->m_pOwner = &record;

    CMainThreadQueue::Listen();
    CMainThreadQueue::ThreadStarting();
    record.m_pConn = conn;   // busy before the worker can possibly finish
    try {
        std::thread(LookupThreadProc, conn).detach();
    } catch (const std::system_error&) {
        record.m_pConn.reset();
        CMainThreadQueue::ThreadEnded();
        return false;
    }
    return true;
}

void CWhoisConnection::Detach()
{
    m_pOwner = nullptr;
    m_socket.Abort();
}

bool CWhoisConnection::WaitUntilFinished(std::chrono::steady_clock::time_point deadline) const
{
    return CMainThreadQueue::WaitUntil(deadline, [this] { return IsFinished(); });
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
        ConvertLineEnds(text);
        RemoveAdvertising(text);
        if (c.m_bStripOutput)
            CleanWhoisText(text);
        c.m_dtResult = COleDateTime::GetCurrentTime();
        c.m_nResultStatus = ClassifyText(text, c.m_nPrevStatus, STATUS_ERROR_FIRST);
        c.m_strResult = std::move(text);
        c.m_bFinished.store(true, std::memory_order_release);
        CMainThreadQueue::Post([conn = std::move(conn)] { CWhoisConnection::Complete(conn); });
    }
    CMainThreadQueue::ThreadEnded();
}

void CWhoisConnection::Complete(const std::shared_ptr<CWhoisConnection>& conn)
{
    CDomainInfo* record = conn->m_pOwner;
    if (!record || !conn->IsFinished())
        return;   // the record went away while its worker ran
    conn->m_pOwner = nullptr;
    record->m_strWhois = std::move(conn->m_strResult);
    record->m_dtChecked = conn->m_dtResult;
    record->m_nStatus = conn->m_nResultStatus;
    record->m_pConn.reset();   // idle from here on
    if (QObject* notify = record->m_pNotifyWnd) {
        CLookupDoneEvent ev(record);
        QCoreApplication::sendEvent(notify, &ev);
    }
}
