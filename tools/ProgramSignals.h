#pragma once

#include <csignal>

// SIGINT and SIGTERM for a loopback server program: blocked for every
// thread from construction on (so make this before the first thread), and
// only Wait() takes them.
class CProgramSignals
{
public:
    CProgramSignals();
    // Returns once one of them arrives.
    void Wait() const;

private:
    sigset_t m_signals;
};
