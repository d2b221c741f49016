#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Runs a function once when the event loop next runs, however many times it
// was requested before then: many small changes, one refresh.
class CCoalescedCall : public QObject
{
    Q_OBJECT

public:
    CCoalescedCall(std::function<void()> call, QObject* parent);

    void Request();
    // Forgets a pending request (the caller has just done the work).
    void Cancel() { m_timer.stop(); }
    bool IsPending() const { return m_timer.isActive(); }

private:
    std::function<void()> m_call;
    QTimer m_timer;
};
