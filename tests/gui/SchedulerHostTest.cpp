#include "GuiTestMain.h"
#include "model/DomainInfo.h"
#include "shell/SchedulerHost.h"

#include <QWidget>

namespace {

class WatchWindow : public QWidget
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() == CWatchWindowEvent::kType)
            m_records.push_back(static_cast<CWatchWindowEvent*>(e)->m_pRecord);
        return QWidget::event(e);
    }
    std::vector<CDomainInfo*> m_records;
};

}

class SchedulerHostTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void finishedLookupsReachAWatchWindow()
    {
        const CLookupScheduler::Host host = MakeDesktopSchedulerHost();
        CDomainInfo record;
        WatchWindow other;
        other.setWindowTitle(QStringLiteral("Something else"));
        host.m_notifyWatchWindow(&record);   // no watch window: nothing happens
        WatchWindow watch;
        watch.setWindowTitle(QStringLiteral("Domains on Watch"));
        host.m_notifyWatchWindow(&record);
        QCoreApplication::processEvents();
        QCOMPARE(watch.m_records.size(), size_t(1));
        QCOMPARE(watch.m_records[0], &record);
        QVERIFY(other.m_records.empty());
        QVERIFY(bool(host.m_beep));
    }
};

TELVARO_GUI_TEST_MAIN(SchedulerHostTest)
#include "SchedulerHostTest.moc"
