#pragma once

#include "shell/MenuTable.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class CCoalescedCall;
class CCommandRegistry;
class QAction;
class QMenu;
class QMenuBar;

// Fills the menu bar from the menu table with the commands registered so
// far, and again whenever another command is registered or the recent-file
// list changes.
class CMenuBarBuilder : public QObject
{
    Q_OBJECT

public:
    // Makes the actions that stand for the recent files, owned by parent.
    using RecentFileItems = std::function<QList<QAction*>(QObject* parent)>;

    CMenuBarBuilder(QMenuBar* bar, CCommandRegistry* registry, RecentFileItems recentFiles);

    void Rebuild();
    // Coalesces a burst of registrations into one rebuild.
    void RebuildLater();

    // The text a command's menu item shows, with its shortcut keys.
    static QString ItemText(int id, const char* text);

private:
    QMenu* BuildPopup(const char* title, std::span<const MenuItem> items, QWidget* parent);

    QMenuBar* m_pBar;
    CCommandRegistry* m_pRegistry;
    RecentFileItems m_recentFiles;
    QList<QPointer<QMenu>> m_menus;
    CCoalescedCall* m_pRebuildLater;
};
