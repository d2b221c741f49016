#include "shell/SchedulerHost.h"

#include <QApplication>
#include <QWidget>

const QEvent::Type CWatchWindowEvent::kType = QEvent::Type(QEvent::registerEventType());

CLookupScheduler::Host MakeDesktopSchedulerHost()
{
    CLookupScheduler::Host host;
    host.m_beep = [] { QApplication::beep(); };
    host.m_notifyWatchWindow = [](CDomainInfo* record) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowTitle() == QLatin1String("Domains on Watch")) {
                QCoreApplication::postEvent(w, new CWatchWindowEvent(record));
                break;
            }
        }
    };
    return host;
}
