#include "commands/ToolBarBuilder.h"

#include "commands/CoalescedCall.h"
#include "commands/CommandIcons.h"
#include "commands/CommandProxy.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "commands/MenuTable.h"
#include "commands/SeparatorCollapse.h"

#include <QToolBar>

CToolBarBuilder::CToolBarBuilder(QToolBar* toolBar, CCommandRegistry* registry)
    : QObject(toolBar), m_pToolBar(toolBar), m_pRegistry(registry)
{
    m_pRebuildLater = new CCoalescedCall([this] { Rebuild(); }, this);
    connect(registry, &CCommandRegistry::CommandRegistered, this, &CToolBarBuilder::RebuildLater);
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

    constexpr CommandId kBar{};
    std::vector<CommandId> ids;
    for (CommandId id : GetMainToolBar()) {
        if (id == kBar || m_pRegistry->IsRegistered(id))
            ids.push_back(id);
    }
    for (CommandId id : CollapseSeparators(ids, kBar)) {
        if (id == kBar) {
            auto* separator = new QAction(m_pItems);
            separator->setSeparator(true);
            m_pToolBar->addAction(separator);
            continue;
        }
        auto* proxy = new CCommandProxy(m_pRegistry, id, CommandTooltip(id), m_pItems);
        proxy->setIcon(GetCommandIcon(id));
        proxy->setToolTip(CommandTooltipWithKeys(id));
        m_pToolBar->addAction(proxy);
    }
}
