#pragma once

#include <chrono>

// What a record knows of its running lookup, whatever carries it out: it
// can be told to stop, and waited for. The lookup engine implements it; the
// model never sees a socket or a thread.
class CLookupHandle
{
public:
    virtual ~CLookupHandle() = default;

    // Asks the lookup to give up at once; its result arrives as usual.
    virtual void Cancel() = 0;
    // The record is going away: stop, and let the result fall.
    virtual void Detach() = 0;
    // Waits until the lookup has left its result, or the deadline.
    virtual bool WaitUntilFinished(std::chrono::steady_clock::time_point deadline) const = 0;
};
