#include "model/DomainDelete.h"

#include "model/DomainDoc.h"

bool QualifiesForDelete(const CDomainInfo& record, DeleteKind kind)
{
    switch (kind) {
    case DeleteKind::Selected:
        return record.m_bSelected != 0;
    case DeleteKind::All:
        return true;
    case DeleteKind::Taken:
        return record.m_nStatus == STATUS_TAKEN;
    case DeleteKind::Available:
        return record.m_nStatus == STATUS_AVAILABLE;
    }
    return false;
}

int DeleteDomains(CDomainDoc& doc, DeleteKind kind)
{
    const int removed = doc.RemoveIf([kind](const CDomainInfo& record) { return QualifiesForDelete(record, kind); });
    if (removed > 0)
        doc.NotifyListRebuilt();
    return removed;
}
