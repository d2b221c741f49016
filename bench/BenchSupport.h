#pragma once

// Helpers of the benchmarks that time windows by hand.
#include <QEvent>
#include <QObject>
#include <QTemporaryDir>

#include <algorithm>
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
