#include "TlsContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <stdexcept>

namespace {

std::string OpenSslReason(const std::string& what)
{
    const unsigned long error = ERR_get_error();
    ERR_clear_error();
    char reason[256] = "unknown error";
    if (error != 0)
        ERR_error_string_n(error, reason, sizeof reason);
    return what + ": " + reason;
}

} // namespace

CTlsContext::CTlsContext(const std::string& certFile, const std::string& keyFile)
{
    m_pContext = SSL_CTX_new(TLS_server_method());
    if (m_pContext == nullptr)
        throw std::runtime_error(OpenSslReason("TLS context"));
    SSL_CTX_set_min_proto_version(m_pContext, TLS1_2_VERSION);
    // The memory BIOs take whatever SSL_write hands them, and a write may
    // be retried from another buffer.
    SSL_CTX_set_mode(m_pContext, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    if (SSL_CTX_use_certificate_chain_file(m_pContext, certFile.c_str()) != 1) {
        const std::string reason = OpenSslReason("certificate " + certFile);
        SSL_CTX_free(m_pContext);
        throw std::runtime_error(reason);
    }
    if (SSL_CTX_use_PrivateKey_file(m_pContext, keyFile.c_str(), SSL_FILETYPE_PEM) != 1
        || SSL_CTX_check_private_key(m_pContext) != 1) {
        const std::string reason = OpenSslReason("private key " + keyFile);
        SSL_CTX_free(m_pContext);
        throw std::runtime_error(reason);
    }
}

CTlsContext::~CTlsContext()
{
    SSL_CTX_free(m_pContext);
}

ssl_st* CTlsContext::NewSession() const
{
    return SSL_new(m_pContext);
}
