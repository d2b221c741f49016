#include "view/FindEntryCommand.h"

#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "model/DomainFind.h"
#include "view/DomainListCtrl.h"
#include "view/FindDlg.h"

std::vector<CommandId> RegisterFindCommand(CCommandRegistry& registry, CDomainDoc& doc, CDomainListCtrl* list)
{
    CDomainDoc* d = &doc;
    registry.Register(
        ID_FIND,
        [d, list] {
            CFindDlg dlg(list->window());
            if (dlg.exec() != QDialog::Accepted)
                return;
            const int row = FindEntry(*d, dlg.m_strText.toLatin1());
            if (row >= 0)
                list->HighlightItem(row);
        },
        [d] { return d->GetCount() != 0; });
    return {ID_FIND};
}
