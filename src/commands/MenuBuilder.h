#pragma once

#include "commands/CommandTable.h"
#include "commands/MenuTable.h"

#include <QList>

#include <functional>

class CCommandRegistry;
class QAction;
class QMenu;
class QObject;
class QString;
class QWidget;

// Builds one popup menu from its description: a proxy per registered
// command (text, keys and picture from the command table), sub-popups,
// separators that collapse where commands are missing. Every menu of the
// program is made here, so they all look and behave alike.
class CMenuBuilder
{
public:
    // Makes the actions that stand for the recent files, owned by parent.
    using RecentFileItems = std::function<QList<QAction*>(QObject* parent)>;

    CMenuBuilder(CCommandRegistry* registry, MenuPlace place, RecentFileItems recentFiles = {});

    // Null when nothing in items is registered.
    QMenu* Build(const QString& title, std::span<const MenuItem> items, QWidget* parent) const;

private:
    CCommandRegistry* m_pRegistry;
    MenuPlace m_place;
    RecentFileItems m_recentFiles;
};
