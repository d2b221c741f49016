#include "shell/DomainPadCommands.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "model/DomainPadList.h"
#include "names/NameCandidates.h"
#include "names/NameCommands.h"
#include "shell/DomainPadBar.h"
#include "view/BigList.h"
#include "widgets/ClipboardText.h"

#include <QPointer>

void RegisterDomainPadCommands(CCommandRegistry& registry, CDomainPadBar* bar, CDomainPadList* names,
                               CDomainDoc& doc, QWidget* parent)
{
    // The frame takes the bar and the names down before the registry; what
    // runs in between finds them gone rather than dangling.
    const QPointer<CDomainPadBar> b(bar);
    const QPointer<CBigList> list(bar->GetList());
    const QPointer<CDomainPadList> pad(names);
    auto selectedRows = [list] { return list ? list->GetSelectedRows() : std::vector<int>(); };
    auto anySelected = [pad, selectedRows] { return pad && !selectedRows().empty(); };
    auto selectedNames = [pad, selectedRows] { return pad ? pad->NamesAt(selectedRows()) : QByteArrayList(); };

    registry.Register(ID_PAD_OPTIONS, [b] {
        if (b)
            b->ShowButtonMenu();
    });
    registry.Register(
        ID_PAD_DELETE_SELECTED,
        [pad, selectedRows] {
            if (pad)
                pad->DeleteRows(selectedRows());
        },
        anySelected);
    registry.Register(
        ID_PAD_SORT,
        [pad] {
            if (pad)
                pad->SortNames();
        },
        [pad] { return pad && pad->GetSize() > 1; });
    registry.Register(
        ID_PAD_COPY_TO_MAIN,
        [selectedNames, &doc, parent] {
            // Each name as if typed into Add Names: a name without a TLD of
            // the table takes every ticked one.
            const QByteArrayList candidates = BuildNameCandidates(selectedNames().join('\n'));
            if (!candidates.isEmpty())
                AddToDocument(doc, parent, candidates, 0);
        },
        anySelected);
    registry.Register(ID_PAD_COPY_TO_CLIPBOARD, [selectedNames] { SetClipboardText(JoinLines(selectedNames())); },
                      anySelected);
    registry.Register(
        ID_TOGGLE_DOMAIN_PAD,
        [b] {
            if (b)
                b->setVisible(b->isHidden());
        },
        {}, [b] { return b && !b->isHidden(); });
}
