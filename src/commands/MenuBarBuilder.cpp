#include "commands/MenuBarBuilder.h"

#include "commands/CoalescedCall.h"
#include "commands/CommandRegistry.h"

#include <QMenu>
#include <QMenuBar>

CMenuBarBuilder::CMenuBarBuilder(QMenuBar* bar, CCommandRegistry* registry, CMenuBuilder::RecentFileItems recentFiles)
    : QObject(bar), m_pBar(bar), m_builder(registry, MenuPlace::MenuBar, std::move(recentFiles))
{
    m_pRebuildLater = new CCoalescedCall([this] { Rebuild(); }, this);
    connect(registry, &CCommandRegistry::CommandRegistered, this, &CMenuBarBuilder::RebuildLater);
}

void CMenuBarBuilder::RebuildLater()
{
    m_pRebuildLater->Request();
}

void CMenuBarBuilder::Rebuild()
{
    m_pRebuildLater->Cancel();
    m_pBar->clear();
    // A command may be running from one of these menus; let it return first.
    for (const QPointer<QMenu>& menu : std::as_const(m_menus)) {
        if (menu)
            menu->deleteLater();
    }
    m_menus.clear();
    for (const MenuItem& top : GetMainMenu()) {
        if (QMenu* menu = m_builder.Build(QString::fromLatin1(top.m_pszText), top.m_children, m_pBar)) {
            m_pBar->addMenu(menu);
            m_menus.append(menu);
        }
    }
}
