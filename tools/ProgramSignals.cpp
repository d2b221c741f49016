#include "ProgramSignals.h"

#include <pthread.h>

CProgramSignals::CProgramSignals()
{
    sigemptyset(&m_signals);
    sigaddset(&m_signals, SIGINT);
    sigaddset(&m_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);
}

void CProgramSignals::Wait() const
{
    int received = 0;
    sigwait(&m_signals, &received);
}
