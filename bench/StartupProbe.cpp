// Starts Telvaro as its main() does and prints the milliseconds from the
// launch to the first paint of the (empty) domain list. The launch time
// comes from TELVARO_LAUNCH_NS (nanoseconds since the epoch, `date +%s%N`
// just before the exec), so loading the program counts too; without it the
// clock starts in main(). Run by bench/startup_time.sh under a tray host.
#include "shell/DomainApp.h"
#include "shell/MainFrame.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"

#include <QApplication>
#include <QDateTime>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

qint64 NowNs()
{
    return QDateTime::currentMSecsSinceEpoch() * 1000000;
}

class FirstPaint : public QObject
{
public:
    explicit FirstPaint(qint64 startNs) : m_nStartNs(startNs) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_nPaintNs < 0) {
            m_nPaintNs = NowNs();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
    double Milliseconds() const { return m_nPaintNs < 0 ? -1 : double(m_nPaintNs - m_nStartNs) / 1e6; }

private:
    qint64 m_nStartNs;
    qint64 m_nPaintNs = -1;
};

}

int main(int argc, char* argv[])
{
    bool ok = false;
    const qint64 launch = qEnvironmentVariable("TELVARO_LAUNCH_NS").toLongLong(&ok);
    const qint64 start = ok ? launch : NowNs();
    QTemporaryDir home;
    qputenv("TELVARO_HOME", (home.path() + QStringLiteral("/home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());

    QApplication app(argc, argv);
    FirstPaint watcher(start);
    CDomainApp theApp;
    if (!theApp.InitInstance({QCoreApplication::applicationFilePath()}))
        return 1;
    theApp.GetMainFrame()->GetView()->GetListCtrl()->viewport()->installEventFilter(&watcher);
    QTimer::singleShot(10000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    const bool tray = QSystemTrayIcon::isSystemTrayAvailable();
    theApp.ExitInstance();
    if (watcher.Milliseconds() < 0) {
        std::fputs("telvaro_startup_probe: the list never painted\n", stderr);
        return 1;
    }
    std::printf("%.1f ms to the first paint of the list (%s)\n", watcher.Milliseconds(),
                tray ? "tray host present" : "no tray host");
    return 0;
}
