#pragma once

#include "lookup/LookupScheduler.h"

#include <QEvent>

// Posted to a top-level window titled "Domains on Watch", when one exists,
// each time a lookup ends: the companion's cue to look at the record.
class CWatchWindowEvent : public QEvent
{
public:
    static const QEvent::Type kType;
    explicit CWatchWindowEvent(CDomainInfo* record) : QEvent(kType), m_pRecord(record) {}
    CDomainInfo* m_pRecord;
};

// The desktop side of the lookup scheduler: the beep of a watch
// notification and the post to a "Domains on Watch" window.
CLookupScheduler::Host MakeDesktopSchedulerHost();
