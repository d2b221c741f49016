#pragma once

#include "LoopbackSocket.h"

#include <string>
#include <string_view>

class CTlsContext;
struct ssl_st;
struct bio_st;

// The byte stream of one loopback client, plain or TLS. TLS runs over
// memory buffers and this class moves the bytes through the socket itself,
// so every wait still watches the stop signal and a vanished client never
// raises SIGPIPE.
class CLoopbackStream
{
public:
    using Status = CLoopbackSocket::Status;
    using Clock = CLoopbackSocket::Clock;

    // Takes ownership of the socket; with a context it speaks TLS.
    CLoopbackStream(int hSocket, CStopSignal& stop, const CTlsContext* pTls);
    ~CLoopbackStream();
    CLoopbackStream(const CLoopbackStream&) = delete;
    CLoopbackStream& operator=(const CLoopbackStream&) = delete;

    bool IsTls() const { return m_pSsl != nullptr; }
    // The TLS handshake; true at once for a plain stream.
    bool Handshake(Clock::time_point deadline);
    // Appends what arrives next; Ok when it appended any.
    Status ReadSome(std::string& out, Clock::time_point deadline);
    bool WriteAll(std::string_view bytes);
    // Ends the output (close_notify, then the FIN), then lets the client
    // close first until the deadline: closing with its input unread would
    // answer anything it still sends with a reset.
    void Finish(Clock::time_point deadline);
    // Drops all input until the client closes or the server stops.
    void HoldUntilClosed();
    void Close() { m_socket.Close(); }

private:
    // Sends what TLS has queued for the client.
    bool Flush();
    // Hands the next bytes from the socket to TLS.
    Status Pump(Clock::time_point deadline);

    CLoopbackSocket m_socket;
    ssl_st* m_pSsl = nullptr;
    bio_st* m_pIn = nullptr;    // owned by m_pSsl
    bio_st* m_pOut = nullptr;   // owned by m_pSsl
};
