#include "LoopbackStream.h"

#include "TlsContext.h"

#include <algorithm>
#include <climits>
#include <new>
#include <openssl/err.h>
#include <openssl/ssl.h>

namespace {

constexpr std::size_t kReadBlock = 16 * 1024;

} // namespace

CLoopbackStream::CLoopbackStream(int hSocket, CStopSignal& stop, const CTlsContext* pTls)
    : m_socket(hSocket, stop)
{
    m_socket.SetNoDelay();
    if (pTls == nullptr)
        return;
    m_pSsl = pTls->NewSession();
    m_pIn = BIO_new(BIO_s_mem());
    m_pOut = BIO_new(BIO_s_mem());
    if (m_pSsl == nullptr || m_pIn == nullptr || m_pOut == nullptr) {
        BIO_free(m_pIn);
        BIO_free(m_pOut);
        SSL_free(m_pSsl);
        throw std::bad_alloc();
    }
    SSL_set_bio(m_pSsl, m_pIn, m_pOut);
    SSL_set_accept_state(m_pSsl);
}

CLoopbackStream::~CLoopbackStream()
{
    SSL_free(m_pSsl);
}

bool CLoopbackStream::Flush()
{
    char buffer[kReadBlock];
    for (;;) {
        const int n = BIO_read(m_pOut, buffer, sizeof buffer);
        if (n <= 0)
            return true;
        if (!m_socket.SendAll(std::string_view(buffer, std::size_t(n))))
            return false;
    }
}

CLoopbackStream::Status CLoopbackStream::Pump(Clock::time_point deadline)
{
    std::string bytes;
    const Status status = m_socket.ReceiveSome(bytes, kReadBlock, deadline);
    if (status == Status::Ok && BIO_write(m_pIn, bytes.data(), int(bytes.size())) != int(bytes.size()))
        return Status::Failed;
    return status;
}

bool CLoopbackStream::Handshake(Clock::time_point deadline)
{
    if (m_pSsl == nullptr)
        return true;
    for (;;) {
        ERR_clear_error();
        const int rc = SSL_do_handshake(m_pSsl);
        const int error = SSL_get_error(m_pSsl, rc);
        // Also the alert that tells a client why its handshake failed.
        if (!Flush())
            return false;
        if (rc == 1)
            return true;
        if (error != SSL_ERROR_WANT_READ || Pump(deadline) != Status::Ok)
            return false;
    }
}

CLoopbackStream::Status CLoopbackStream::ReadSome(std::string& out, Clock::time_point deadline)
{
    if (m_pSsl == nullptr)
        return m_socket.ReceiveSome(out, kReadBlock, deadline);
    for (;;) {
        char buffer[kReadBlock];
        ERR_clear_error();
        const int n = SSL_read(m_pSsl, buffer, sizeof buffer);
        const int error = SSL_get_error(m_pSsl, n);
        if (!Flush())
            return Status::Failed;
        if (n > 0) {
            out.append(buffer, std::size_t(n));
            return Status::Ok;
        }
        if (error == SSL_ERROR_ZERO_RETURN)
            return Status::Closed;
        if (error != SSL_ERROR_WANT_READ)
            return Status::Failed;
        if (const Status status = Pump(deadline); status != Status::Ok)
            return status;
    }
}

bool CLoopbackStream::WriteAll(std::string_view bytes)
{
    if (m_pSsl == nullptr)
        return m_socket.SendAll(bytes);
    while (!bytes.empty()) {
        ERR_clear_error();
        const int n = SSL_write(m_pSsl, bytes.data(), int(std::min<std::size_t>(bytes.size(), INT_MAX)));
        if (n <= 0)
            return false;
        bytes.remove_prefix(std::size_t(n));
        // Out at once, so a trickled body reaches the client piece by piece.
        if (!Flush())
            return false;
    }
    return true;
}

void CLoopbackStream::Finish(Clock::time_point deadline)
{
    if (m_pSsl != nullptr && SSL_is_init_finished(m_pSsl)) {
        ERR_clear_error();
        SSL_shutdown(m_pSsl);
        Flush();
    }
    m_socket.EndOutput();
    m_socket.DiscardUntilClosed(deadline);
}

void CLoopbackStream::HoldUntilClosed()
{
    m_socket.DiscardUntilClosed(Clock::time_point::max());
}
