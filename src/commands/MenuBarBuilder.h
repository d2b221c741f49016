#pragma once

#include "commands/MenuBuilder.h"

#include <QList>
#include <QObject>
#include <QPointer>

class CCoalescedCall;
class CCommandRegistry;
class QMenu;
class QMenuBar;

// Fills the menu bar from the menu table with the commands registered so
// far, and again whenever another command is registered or the recent-file
// list changes.
class CMenuBarBuilder : public QObject
{
    Q_OBJECT

public:
    CMenuBarBuilder(QMenuBar* bar, CCommandRegistry* registry, CMenuBuilder::RecentFileItems recentFiles);

    void Rebuild();
    // Coalesces a burst of registrations into one rebuild.
    void RebuildLater();

private:
    QMenuBar* m_pBar;
    CMenuBuilder m_builder;
    QList<QPointer<QMenu>> m_menus;
    CCoalescedCall* m_pRebuildLater;
};
