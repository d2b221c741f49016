#include "names/NameCommands.h"

#include "model/DomainDoc.h"
#include "names/AddCandidates.h"
#include "names/ConstructNamesDlg.h"
#include "names/DomainNamesDlg.h"
#include "names/NameCandidates.h"
#include "names/WizardCommand.h"
#include "widgets/WaitCursor.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"

#include <QMessageBox>

void AddToDocument(CDomainDoc& doc, QWidget* parent, const QByteArrayList& names, qint64 notBuilt)
{
    CAddCount count;
    {
        const CWaitCursor wait;
        count = AddCandidates(doc, names);
        // A list that did not fill up from a million candidates was offered
        // almost only invalid names (no list holds that many duplicates), so
        // names never built pass in silence like other invalid ones.
        if (doc.GetCount() >= GetEntryLimit(doc))
            count.m_nNotTried = notBuilt;
        if (!names.isEmpty())
            doc.NotifyListRebuilt();
    }
    const QString text = DescribeDroppedNames(count, GetEntryLimit(doc));
    if (!text.isEmpty())
        QMessageBox::information(parent, QStringLiteral("Telvaro"), text);
}

void OnAddDomains(CDomainDoc& doc, QWidget* parent)
{
    CDomainNamesDlg dlg(parent);
    if (dlg.exec() == QDialog::Accepted)
        AddToDocument(doc, parent, BuildNameCandidates(dlg.m_strNames), 0);
}

void OnConstructNames(CDomainDoc& doc, QWidget* parent)
{
    CConstructNamesDlg dlg(parent);
    if (dlg.exec() == QDialog::Accepted)
        AddToDocument(doc, parent, dlg.m_arrNames, dlg.m_nNamesLeftOut);
}

void RegisterNameCommands(CCommandRegistry& registry, CDomainDoc& doc, QWidget* parent)
{
    registry.Register(ID_ADD_DOMAINS, [&doc, parent] { OnAddDomains(doc, parent); });
    registry.Register(ID_CONSTRUCT_NAMES, [&doc, parent] { OnConstructNames(doc, parent); });
    RegisterWizardCommand(registry, doc, parent);
}
