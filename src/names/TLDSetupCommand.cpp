#include "names/TLDSetupCommand.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "lookup/LookupScheduler.h"
#include "model/TLDTable.h"
#include "names/TLDSetupDlg.h"

#include <QMessageBox>
#include <QPointer>

void OnSetupDomains(const std::function<bool()>& isBusy, QWidget* parent)
{
    for (;;) {
        CTLDSetupDlg dlg(isBusy, parent);
        const int result = dlg.exec();
        if (dlg.WantsReopen())
            continue;
        if (result != QDialog::Accepted)
            return;
        if (isBusy()) {
            QMessageBox::information(parent, QStringLiteral("Telvaro"),
                                     QStringLiteral("A connection to the whois server is in progress.\n"
                                                    "Changes in whois server (if any) will not take effect now"));
        } else {
            ResetTLDResolution();
        }
        return;
    }
}

void RegisterSetupDomainsCommand(CCommandRegistry& registry, CLookupScheduler* scheduler, QWidget* parent)
{
    registry.Register(ID_SETUP_DOMAINS, [scheduler = QPointer<CLookupScheduler>(scheduler), parent] {
        OnSetupDomains([scheduler] { return scheduler && scheduler->IsBusy(); }, parent);
    });
}
