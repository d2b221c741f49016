#pragma once

#include "HttpRequestReader.h"
#include "LoopbackSession.h"
#include "LoopbackStream.h"
#include "RdapScript.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <thread>

class CTlsContext;

// Serves one client of the loopback RDAP server on its own thread: the TLS
// handshake when it came in through HTTPS, then one request after another
// for as long as both sides keep the connection, each answered by the
// behaviour the script picks for it.
class CRdapConnection : public CLoopbackSession
{
public:
    // Takes ownership of the connected, non-blocking socket; pTls is null
    // for plain HTTP. A client that sends nothing for idleTimeout is let go.
    CRdapConnection(int hSocket, CRdapState& state, CStopSignal& stop, const CTlsContext* pTls,
                    std::chrono::milliseconds idleTimeout);
    ~CRdapConnection() override;   // joins the thread
    CRdapConnection(const CRdapConnection&) = delete;
    CRdapConnection& operator=(const CRdapConnection&) = delete;

private:
    enum class Read { Request, Gone, Bad, Idle };

    void Serve();
    Read ReadRequest();
    // Answers the request just read; false when the connection ends here.
    bool Answer(const CHttpRequest& request);
    CRdapBehaviour Chosen(const CHttpRequest& request, std::string& name) const;
    bool Play(const CHttpRequest& request, const CRdapBehaviour& behaviour, const std::string& name);
    bool SendBody(const CRdapBehaviour& behaviour, const std::string& name, const std::string& body, bool bChunked);
    bool SendError(int nStatus, const char* description);

    CLoopbackStream m_stream;
    CRdapState& m_state;
    CStopSignal& m_stop;
    const std::chrono::milliseconds m_idleTimeout;
    CHttpRequestReader m_reader;
    std::size_t m_nConnection = 0;
    std::thread m_thread;   // last: starts once the rest is set up
};
