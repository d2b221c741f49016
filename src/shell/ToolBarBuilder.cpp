#include "shell/ToolBarBuilder.h"

#include "shell/AcceleratorTable.h"
#include "shell/CoalescedCall.h"
#include "shell/CommandIcons.h"
#include "shell/CommandProxy.h"
#include "shell/CommandRegistry.h"
#include "shell/MenuTable.h"
#include "shell/SeparatorCollapse.h"

#include <QToolBar>

CToolBarBuilder::CToolBarBuilder(QToolBar* toolBar, CCommandRegistry* registry)
    : QObject(toolBar), m_pToolBar(toolBar), m_pRegistry(registry)
{
    m_pRebuildLater = new CCoalescedCall([this] { Rebuild(); }, this);
    connect(registry, &CCommandRegistry::CommandRegistered, this, &CToolBarBuilder::RebuildLater);
}

QString CToolBarBuilder::TooltipWithKeys(int id, const QString& tooltip)
{
    const QList<QKeySequence> keys = GetAccelerators(id);
    return keys.isEmpty() ? tooltip
                          : QStringLiteral("%1 (%2)").arg(tooltip, keys.first().toString(QKeySequence::NativeText));
}

void CToolBarBuilder::RebuildLater()
{
    m_pRebuildLater->Request();
}

void CToolBarBuilder::Rebuild()
{
    m_pRebuildLater->Cancel();
    m_pToolBar->clear();
    if (m_pItems)
        m_pItems->deleteLater();
    m_pItems = new QObject(this);

    std::vector<int> ids;
    for (int id : GetMainToolBar()) {
        if (id == 0 || m_pRegistry->IsRegistered(id))
            ids.push_back(id);
    }
    for (int id : CollapseSeparators(ids, 0)) {
        if (id == 0) {
            auto* separator = new QAction(m_pItems);
            separator->setSeparator(true);
            m_pToolBar->addAction(separator);
            continue;
        }
        const QString tip = m_pRegistry->Find(id)->toolTip();
        auto* proxy = new CCommandProxy(m_pRegistry, id, tip, m_pItems);
        proxy->setIcon(GetCommandIcon(id));
        proxy->setToolTip(TooltipWithKeys(id, tip));
        m_pToolBar->addAction(proxy);
    }
}
