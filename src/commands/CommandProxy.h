#pragma once

#include "commands/CommandId.h"

#include <QAction>

class CCommandRegistry;

// A menu item or toolbar button for one registered command. It carries its
// own text and picture (a command reads differently in the menu bar, on the
// toolbar and in a context menu) and mirrors the command's enabled and
// checked state; choosing it runs the command through the registry.
class CCommandProxy : public QAction
{
    Q_OBJECT

public:
    CCommandProxy(CCommandRegistry* registry, CommandId id, const QString& text, QObject* parent);

    CommandId Id() const { return m_id; }

private:
    void Sync();

    CCommandRegistry* m_pRegistry;
    QAction* m_pTarget;
    CommandId m_id;
};
