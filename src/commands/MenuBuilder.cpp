#include "commands/MenuBuilder.h"

#include "commands/CommandIcons.h"
#include "commands/CommandProxy.h"
#include "commands/CommandRegistry.h"
#include "commands/MenuMnemonics.h"
#include "commands/SeparatorCollapse.h"

#include <QMenu>

CMenuBuilder::CMenuBuilder(CCommandRegistry* registry, MenuPlace place, RecentFileItems recentFiles)
    : m_pRegistry(registry), m_place(place), m_recentFiles(std::move(recentFiles))
{
}

QMenu* CMenuBuilder::Build(const QString& title, std::span<const MenuItem> items, QWidget* parent) const
{
    auto* menu = new QMenu(title, parent);
    std::vector<QAction*> entries;
    for (const MenuItem& item : items) {
        switch (item.m_kind) {
        case MenuItemKind::Command:
            if (m_pRegistry->IsRegistered(item.m_id)) {
                auto* proxy = new CCommandProxy(m_pRegistry, item.m_id, CommandMenuText(item.m_id, m_place), menu);
                proxy->setIcon(GetCommandIcon(item.m_id));
                entries.push_back(proxy);
            }
            break;
        case MenuItemKind::Separator:
            entries.push_back(nullptr);
            break;
        case MenuItemKind::Popup:
            if (QMenu* sub = Build(QString::fromLatin1(item.m_pszText), item.m_children, menu))
                entries.push_back(sub->menuAction());
            break;
        case MenuItemKind::RecentFiles:
            if (m_recentFiles) {
                for (QAction* action : m_recentFiles(menu))
                    entries.push_back(action);
            }
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
    new CMenuMnemonics(menu);
    // Enable states are brought up to date whenever a menu opens.
    QObject::connect(menu, &QMenu::aboutToShow, m_pRegistry, &CCommandRegistry::UpdateCommandUI);
    return menu;
}
