#include "view/MarkCommands.h"

#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "model/DomainMarks.h"
#include "view/SelectRangeDlg.h"

namespace {

void OnSelectRange(CDomainDoc& doc, QWidget* parent)
{
    CSelectRangeDlg dlg(parent);
    if (dlg.exec() == QDialog::Accepted)
        SelectRange(doc, CRowRange{dlg.m_nFrom, dlg.m_nTo}, dlg.m_bUnselect);
}

}

std::vector<CommandId> RegisterMarkCommands(CCommandRegistry& registry, CDomainDoc& doc, QWidget* parent)
{
    CDomainDoc* d = &doc;
    registry.Register(ID_SELECT_ALL, [d] { SelectAll(*d); }, [d] { return AnyUnmarked(*d); });
    registry.Register(ID_UNSELECT_ALL, [d] { UnselectAll(*d); }, [d] { return AnyMarked(*d); });
    registry.Register(ID_INVERT_SELECTION, [d] { InvertSelection(*d); }, [d] { return AnyMarked(*d); });
    registry.Register(ID_SELECT_FREE, [d] { SelectFree(*d); }, [d] { return AnyAvailable(*d); });
    registry.Register(ID_SELECT_RANGE, [d, parent] { OnSelectRange(*d, parent); }, [d] { return d->GetCount() != 0; });
    return {ID_SELECT_ALL, ID_UNSELECT_ALL, ID_INVERT_SELECTION, ID_SELECT_FREE, ID_SELECT_RANGE};
}
