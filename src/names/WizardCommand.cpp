#include "names/WizardCommand.h"

#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "names/WizardDlg.h"

void RegisterWizardCommand(CCommandRegistry& registry, const CDomainDoc& doc, QWidget* parent)
{
    CCommandRegistry* r = &registry;
    const CDomainDoc* d = &doc;
    registry.Register(
        ID_WIZARD,
        [r, parent] {
            CWizardDlg dlg(parent);
            if (dlg.exec() != QDialog::Accepted)
                return;
            // Posted, as the choice always was: the next dialog opens from
            // the event loop, not from inside this one's command.
            QMetaObject::invokeMethod(r, [r, id = dlg.ChosenCommand()] { r->Execute(id); }, Qt::QueuedConnection);
        },
        [d] { return d->GetCount() == 0; });
}
