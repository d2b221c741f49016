#pragma once

// One client of a loopback server as its listener keeps it: it serves the
// client on its own thread and tells when it is done. Destroying it joins
// that thread.
class CLoopbackSession
{
public:
    virtual ~CLoopbackSession() = default;
    // True once the thread has closed the socket and is about to end.
    virtual bool IsDone() const = 0;
};
