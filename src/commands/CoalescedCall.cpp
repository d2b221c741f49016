#include "commands/CoalescedCall.h"

CCoalescedCall::CCoalescedCall(std::function<void()> call, QObject* parent) : QObject(parent), m_call(std::move(call))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_call(); });
}

void CCoalescedCall::Request()
{
    if (!m_timer.isActive())
        m_timer.start();
}
