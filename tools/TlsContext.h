#pragma once

#include <string>

struct ssl_ctx_st;
struct ssl_st;

// The server side of TLS for the loopback RDAP server: one certificate and
// key from PEM files, TLS 1.2 and later, HTTP/1.1 only.
class CTlsContext
{
public:
    // Throws std::runtime_error with OpenSSL's reason when the files do not
    // load or do not belong together.
    CTlsContext(const std::string& certFile, const std::string& keyFile);
    ~CTlsContext();
    CTlsContext(const CTlsContext&) = delete;
    CTlsContext& operator=(const CTlsContext&) = delete;

    // A new server-side session, owned by the caller (SSL_free).
    ssl_st* NewSession() const;

private:
    ssl_ctx_st* m_pContext = nullptr;
};
