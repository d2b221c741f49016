#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

// Gives one test a fresh, empty program folder and settings store, and puts
// the previous ones back afterwards.
class ScopedTelvaroHome
{
public:
    ScopedTelvaroHome()
    {
        m_old = qgetenv("TELVARO_HOME");
        qputenv("TELVARO_HOME", m_dir.path().toLocal8Bit());
        QSettings(QStringLiteral("Telvaro"), QStringLiteral("Telvaro")).clear();
    }
    ~ScopedTelvaroHome()
    {
        qputenv("TELVARO_HOME", m_old);
        QSettings(QStringLiteral("Telvaro"), QStringLiteral("Telvaro")).clear();
    }
    QString Path() const { return m_dir.path() + QLatin1Char('/'); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

// Runs the event loop until pred() holds or timeoutMs passes.
template <class Pred>
bool ProcessEventsUntil(Pred pred, int timeoutMs = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}
