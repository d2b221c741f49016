#include "model/DomainMarks.h"

#include "model/DomainDoc.h"

#include <algorithm>

namespace {

template <class Pred>
bool AnyRecord(const CDomainDoc& doc, Pred pred)
{
    const auto records = doc.Records();
    return std::any_of(records.begin(), records.end(), [&](const auto& r) { return pred(*r); });
}

template <class Change>
void ChangeEveryMark(CDomainDoc& doc, Change change)
{
    for (const auto& record : doc.Records())
        record->m_bSelected = change(*record);
    doc.RecordsChanged();
}

}

bool AnyMarked(const CDomainDoc& doc)
{
    return AnyRecord(doc, [](const CDomainInfo& r) { return r.m_bSelected != 0; });
}

bool AnyUnmarked(const CDomainDoc& doc)
{
    return AnyRecord(doc, [](const CDomainInfo& r) { return r.m_bSelected == 0; });
}

bool AnyAvailable(const CDomainDoc& doc)
{
    return AnyRecord(doc, [](const CDomainInfo& r) { return r.m_nStatus == STATUS_AVAILABLE; });
}

void SelectAll(CDomainDoc& doc)
{
    ChangeEveryMark(doc, [](const CDomainInfo&) { return uint8_t(1); });
}

void UnselectAll(CDomainDoc& doc)
{
    ChangeEveryMark(doc, [](const CDomainInfo&) { return uint8_t(0); });
}

void InvertSelection(CDomainDoc& doc)
{
    ChangeEveryMark(doc, [](const CDomainInfo& r) { return uint8_t(r.m_bSelected ? 0 : 1); });
}

int SelectFree(CDomainDoc& doc)
{
    int found = 0;
    for (const auto& record : doc.Records()) {
        if (record->m_nStatus == STATUS_AVAILABLE) {
            record->m_bSelected = 1;
            ++found;
        }
    }
    if (found > 0)
        doc.RecordsChanged();
    return found;
}

CRowRange CRowRange::Normalized() const
{
    CRowRange r{std::max(0, m_nFrom), std::max(0, m_nTo)};
    if (r.m_nTo < r.m_nFrom)
        std::swap(r.m_nFrom, r.m_nTo);
    return r;
}

void SelectRange(CDomainDoc& doc, CRowRange range, bool unselectOthers)
{
    const CRowRange r = range.Normalized();
    int row = 0;
    ChangeEveryMark(doc, [&](const CDomainInfo& record) {
        // Rows are numbered from 1, as the list shows them.
        ++row;
        if (row >= r.m_nFrom && row <= r.m_nTo)
            return uint8_t(1);
        return unselectOthers ? uint8_t(0) : record.m_bSelected;
    });
}
