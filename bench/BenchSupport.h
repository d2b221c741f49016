#pragma once

// Helpers of the benchmarks that time windows by hand.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <vector>

// Notes when a widget has painted.
class CPaintWatcher : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_bPainted = true;
        return QObject::eventFilter(watched, event);
    }
    bool m_bPainted = false;
};

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Before the application exists: the program folder in home, and the
// offscreen platform unless another is asked for.
inline void UseBenchHome(const QTemporaryDir& home)
{
    qputenv("TELVARO_HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the event loop until done() or the limit, sleeping between events
// rather than spinning, so the loop takes no processor from what it
// measures; false at the limit.
template <class Pred>
bool RunEventsUntil(Pred done, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    QTimer watchdog;   // wakes the wait now and then to look at done()
    watchdog.start(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
