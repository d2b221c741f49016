#include "shell/MenuBarBuilder.h"

#include "shell/AcceleratorTable.h"
#include "shell/CoalescedCall.h"
#include "shell/CommandIcons.h"
#include "shell/CommandProxy.h"
#include "shell/CommandRegistry.h"
#include "shell/SeparatorCollapse.h"

#include <QMenu>
#include <QMenuBar>

CMenuBarBuilder::CMenuBarBuilder(QMenuBar* bar, CCommandRegistry* registry, RecentFileItems recentFiles)
    : QObject(bar), m_pBar(bar), m_pRegistry(registry), m_recentFiles(std::move(recentFiles))
{
    m_pRebuildLater = new CCoalescedCall([this] { Rebuild(); }, this);
    connect(registry, &CCommandRegistry::CommandRegistered, this, &CMenuBarBuilder::RebuildLater);
}

QString CMenuBarBuilder::ItemText(int id, const char* text)
{
    QString s = QString::fromLatin1(text);
    const QList<QKeySequence> keys = GetAccelerators(id);
    if (!s.contains(QLatin1Char('\t')) && !keys.isEmpty())
        s += QLatin1Char('\t') + keys.first().toString(QKeySequence::NativeText);
    return s;
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
        if (QMenu* menu = BuildPopup(top.m_pszText, top.m_children, m_pBar)) {
            m_pBar->addMenu(menu);
            m_menus.append(menu);
        }
    }
}

QMenu* CMenuBarBuilder::BuildPopup(const char* title, std::span<const MenuItem> items, QWidget* parent)
{
    auto* menu = new QMenu(QString::fromLatin1(title), parent);
    std::vector<QAction*> entries;
    for (const MenuItem& item : items) {
        switch (item.m_kind) {
        case MenuItemKind::Command:
            if (m_pRegistry->IsRegistered(item.m_nId)) {
                auto* proxy = new CCommandProxy(m_pRegistry, item.m_nId, ItemText(item.m_nId, item.m_pszText), menu);
                proxy->setIcon(GetCommandIcon(item.m_nId));
                entries.push_back(proxy);
            }
            break;
        case MenuItemKind::Separator:
            entries.push_back(nullptr);
            break;
        case MenuItemKind::Popup:
            if (QMenu* sub = BuildPopup(item.m_pszText, item.m_children, menu))
                entries.push_back(sub->menuAction());
            break;
        case MenuItemKind::RecentFiles:
            for (QAction* action : m_recentFiles(menu))
                entries.push_back(action);
            break;
        }
    }
    entries = CollapseSeparators(entries, static_cast<QAction*>(nullptr));
    if (entries.empty()) {
        delete menu;
        return nullptr;
    }
    for (QAction* entry : entries) {
        if (entry)
            menu->addAction(entry);
        else
            menu->addSeparator();
    }
    // Enable states are brought up to date whenever a menu opens.
    connect(menu, &QMenu::aboutToShow, m_pRegistry, &CCommandRegistry::UpdateCommandUI);
    return menu;
}
