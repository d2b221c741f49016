#pragma once

#include <cstdint>
#include <functional>

// Sockets on the loopback addresses, as the loopback servers and their tests
// make them. Every socket is non-blocking and closed on exec.

// Throws std::system_error for errno, naming what failed.
[[noreturn]] void ThrowErrno(const char* what);

// A socket of the type (SOCK_STREAM or SOCK_DGRAM) bound to the loopback
// address of the family (AF_INET or AF_INET6) at the port, or at a free one
// for 0; -1 with errno set when that fails.
int BoundLoopbackSocket(int family, int type, uint16_t port);
// The same as a listening stream socket.
int ListeningLoopbackSocket(int family, uint16_t port);
// The port a bound socket got; throws when it cannot be read.
uint16_t LocalPort(int hSocket);

// Two sockets at one port: an IPv4 and an IPv6 listener, or the stream and
// the datagram side of one service.
struct CPortPair
{
    int m_hFirst = -1;
    int m_hSecond = -1;
    uint16_t m_nPort = 0;
};

// Makes a socket at the port it is given; -1 with errno set when it cannot.
using SocketAt = std::function<int(uint16_t port)>;

// first at port (0 picks a free one), then second at the port first got.
// When port is 0 and second finds the pick taken, a fresh pick usually is
// not, so it tries a few more. Throws std::system_error naming whatFirst or
// whatSecond, leaving nothing open; the caller owns both sockets.
CPortPair PortPair(uint16_t port, const SocketAt& first, const char* whatFirst, const SocketAt& second,
                   const char* whatSecond);
