#include "shell/OptionsCommand.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "shell/OptionsDlg.h"
#include "view/DomainView.h"

void RegisterOptionsCommand(CCommandRegistry& registry, QWidget* parent, CDomainView* view)
{
    registry.Register(ID_OPTIONS, [parent, view] {
        COptionsDlg dialog(parent);
        if (dialog.exec() == QDialog::Accepted)
            view->ApplyOptions();
    });
}
