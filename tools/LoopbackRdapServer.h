#pragma once

#include "LoopbackListener.h"
#include "RdapBehaviour.h"
#include "RdapRequest.h"
#include "RdapScript.h"
#include "StopSignal.h"
#include "TlsContext.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CRdapServerOptions
{
    CRdapBehaviour m_default = CRdapBehaviour::NotFound();
    // PEM files of the HTTPS listener; without them there is none.
    std::string m_strCertFile;
    std::string m_strKeyFile;
    // 0 picks a free port.
    uint16_t m_nHttpPort = 0;
    uint16_t m_nHttpsPort = 0;
    // Also listen on ::1, at the same ports.
    bool m_bIPv6 = false;
    // A client that sends no complete request for this long is let go.
    std::chrono::milliseconds m_idleTimeout{15000};
};

// An RDAP server on 127.0.0.1 for tests and benchmarks: HTTP/1.1 with
// kept-alive connections on one port and, given a certificate, HTTPS on a
// second. Each request is answered by a scripted behaviour picked by its
// path or by the domain name in it (".../domain/NAME"), and recorded. Plain
// sockets and std threads only, so ThreadSanitizer sees all of its
// synchronisation. Every member is safe to call from any thread.
class CLoopbackRdapServer
{
public:
    // Listens at once; throws std::system_error when it cannot listen and
    // std::runtime_error when the certificate does not load.
    explicit CLoopbackRdapServer(CRdapServerOptions options = {});
    explicit CLoopbackRdapServer(CRdapBehaviour defaultBehaviour);
    ~CLoopbackRdapServer();
    CLoopbackRdapServer(const CLoopbackRdapServer&) = delete;
    CLoopbackRdapServer& operator=(const CLoopbackRdapServer&) = delete;

    uint16_t HttpPort() const { return m_nHttpPort; }
    // 0 without a certificate.
    uint16_t HttpsPort() const { return m_nHttpsPort; }
    // "http://127.0.0.1:PORT" and the path, which starts with "/".
    std::string HttpUrl(const std::string& path = "/") const;
    std::string HttpsUrl(const std::string& path = "/") const;

    void SetDefaultBehaviour(CRdapBehaviour behaviour);
    // For a domain name, or for a path ("/v2/domain/example.com", without
    // the query) when the text starts with "/"; without regard to ASCII
    // case, for both listeners or one.
    void SetBehaviour(const std::string& nameOrPath, CRdapBehaviour behaviour, RdapListener on = RdapListener::Both);

    // Every request so far, in arrival order.
    std::vector<CRdapRequest> Requests() const;
    std::size_t RequestCount() const;
    bool WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const;
    // Connections accepted through both listeners; fewer than requests
    // when clients kept them alive.
    std::size_t AcceptedCount() const;
    std::size_t OpenCount() const;
    std::size_t MaxOpenCount() const;

    // Closes the listeners and every connection and joins every thread,
    // cutting short any delay, trickle or held connection. Repeatable.
    void Stop();

private:
    CRdapState m_state;
    CStopSignal m_stop;
    std::unique_ptr<CTlsContext> m_pTls;
    CLoopbackListener m_listener{m_stop};   // after what its sessions use
    uint16_t m_nHttpPort = 0;
    uint16_t m_nHttpsPort = 0;
};
