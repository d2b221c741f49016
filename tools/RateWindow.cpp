#include "RateWindow.h"

bool CRateWindow::Admit(Clock::time_point now)
{
    while (!m_admitted.empty() && now - m_admitted.front() >= kWindow)
        m_admitted.pop_front();
    if (m_admitted.size() >= m_nPerSecond)
        return false;
    m_admitted.push_back(now);
    return true;
}
