#include "view/CopyCommands.h"

#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "model/DomainMarks.h"
#include "model/DomainPadList.h"
#include "widgets/ClipboardText.h"

namespace {

using RecordRule = bool (*)(const CDomainInfo&);

QByteArrayList NamesWhere(const CDomainDoc& doc, RecordRule rule)
{
    QByteArrayList names;
    for (const auto& record : doc.Records()) {
        if (rule(*record))
            names.append(record->m_strName);
    }
    return names;
}

bool Always(const CDomainInfo&)
{
    return true;
}

bool Marked(const CDomainInfo& r)
{
    return r.m_bSelected != 0;
}

bool Available(const CDomainInfo& r)
{
    return r.m_nStatus == STATUS_AVAILABLE;
}

bool Taken(const CDomainInfo& r)
{
    return r.m_nStatus == STATUS_TAKEN;
}

bool HasAddress(const CDomainInfo& r)
{
    return Taken(r) && !r.m_strDNS.isEmpty() && r.m_strDNS != "Error";
}

bool NotAvailable(const CDomainInfo& r)
{
    return !Available(r);
}

// The highlighted record, or null.
struct CHighlighted
{
    const CDomainDoc* m_pDoc;
    std::function<int()> m_row;

    const CDomainInfo* operator()() const
    {
        const int row = m_row();
        return row >= 0 && row < m_pDoc->GetCount() ? m_pDoc->GetAt(row) : nullptr;
    }
};

}

std::vector<CommandId> RegisterCopyCommands(CCommandRegistry& registry, CDomainDoc& doc,
                                            std::function<int()> highlighted)
{
    const CDomainDoc* d = &doc;
    const CHighlighted entry{d, std::move(highlighted)};
    registry.Register(ID_COPY_ALL, [d] { SetClipboardText(JoinLines(NamesWhere(*d, Always))); },
                      [d] { return d->GetCount() != 0; });
    registry.Register(ID_COPY_SELECTED, [d] { SetClipboardText(JoinLines(NamesWhere(*d, Marked))); },
                      [d] { return AnyMarked(*d); });

    // A copy of one field of the highlighted record, offered when rule holds.
    auto copyField = [&registry, entry](CommandId id, QByteArray (*text)(const CDomainInfo&), RecordRule rule) {
        registry.Register(
            id,
            [entry, text, rule] {
                if (const CDomainInfo* r = entry(); r && rule(*r))
                    SetClipboardText(text(*r));
            },
            [entry, rule] {
                const CDomainInfo* r = entry();
                return r && rule(*r);
            });
    };
    copyField(ID_COPY_DOMAIN_NAME, [](const CDomainInfo& r) { return r.m_strName; }, Always);
    copyField(ID_COPY_DOMAIN_IP, [](const CDomainInfo& r) { return r.m_strDNS; }, HasAddress);
    copyField(ID_COPY_DOMAIN_INFO, [](const CDomainInfo& r) { return r.m_strWhois; }, Taken);
    copyField(ID_COPY_DOMAIN_URL, [](const CDomainInfo& r) { return "http://www." + r.m_strName; }, NotAvailable);
    return {ID_COPY_ALL, ID_COPY_SELECTED, ID_COPY_DOMAIN_NAME, ID_COPY_DOMAIN_IP, ID_COPY_DOMAIN_INFO,
            ID_COPY_DOMAIN_URL};
}

namespace {

void InsertIntoPad(CDomainPadList* pad, const QByteArrayList& names)
{
    bool added = false;
    for (const QByteArray& name : names)
        added = pad->InsertName(name) || added;
    if (added)
        pad->UpdateItemCount();
}

}

std::vector<CommandId> RegisterPadCopyCommands(CCommandRegistry& registry, CDomainDoc& doc,
                                               std::function<int()> highlighted, CDomainPadList* pad)
{
    const CDomainDoc* d = &doc;
    const CHighlighted entry{d, std::move(highlighted)};
    registry.Register(
        ID_COPY_TO_PAD,
        [entry, pad] {
            if (const CDomainInfo* r = entry())
                InsertIntoPad(pad, {r->m_strName});
        },
        [entry] { return entry() != nullptr; });
    registry.Register(ID_PAD_SELECTED, [d, pad] { InsertIntoPad(pad, NamesWhere(*d, Marked)); },
                      [d] { return AnyMarked(*d); });
    registry.Register(ID_PAD_AVAILABLE, [d, pad] { InsertIntoPad(pad, NamesWhere(*d, Available)); },
                      [d] { return AnyAvailable(*d); });
    return {ID_COPY_TO_PAD, ID_PAD_SELECTED, ID_PAD_AVAILABLE};
}
