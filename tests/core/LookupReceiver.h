#pragma once

#include "lookup/Lookup.h"
#include "model/TLDTable.h"

#include <QObject>

// Stands in for the scheduler: records resolution results in the table and
// counts completions.
class CLookupReceiver : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() == CTLDResolvedEvent::kType) {
            const auto* r = static_cast<CTLDResolvedEvent*>(e);
            OnTLDResolved(r->m_nHandle, r->m_result);
            return true;
        }
        if (e->type() == CLookupDoneEvent::kType) {
            ++m_nDone;
            return true;
        }
        return QObject::event(e);
    }
    int m_nDone = 0;
};
