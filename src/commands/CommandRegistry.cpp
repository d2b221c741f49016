#include "commands/CommandRegistry.h"

#include "commands/CoalescedCall.h"
#include "commands/CommandTable.h"

#include <QWidget>

CCommandRegistry::CCommandRegistry(QWidget* window)
    : QObject(window)
    , m_pWindow(window)
    , m_pUpdateLater(new CCoalescedCall([this] { UpdateCommandUI(); }, this))
{
}

QAction* CCommandRegistry::Register(CommandId id, Handler onTrigger, Rule isEnabled, Rule isChecked)
{
    Entry& e = m_commands[id];
    const bool isNew = e.m_pAction == nullptr;
    if (isNew) {
        e.m_pAction = new QAction(this);
        e.m_pAction->setData(id.m_nValue);
        e.m_pAction->setStatusTip(CommandPrompt(id));
        const QString tip = CommandTooltip(id);
        if (!tip.isEmpty())
            e.m_pAction->setToolTip(tip);
        // Keys go on the registry's action, so they work whoever registered
        // the command; menus only show them.
        e.m_pAction->setShortcuts(CommandKeys(id));
        m_pWindow->addAction(e.m_pAction);
        connect(e.m_pAction, &QAction::triggered, this, [this, id] {
            const auto it = m_commands.find(id);
            if (it != m_commands.end() && it->second.m_onTrigger)
                it->second.m_onTrigger();
            UpdateCommandUI();
        });
    }
    e.m_onTrigger = std::move(onTrigger);
    e.m_isEnabled = std::move(isEnabled);
    e.m_isChecked = std::move(isChecked);
    e.m_pAction->setCheckable(bool(e.m_isChecked));
    // No rule means always enabled, also for a command whose earlier
    // handler had a rule that disabled it.
    e.m_pAction->setEnabled(!e.m_isEnabled || e.m_isEnabled());
    if (e.m_isChecked)
        e.m_pAction->setChecked(e.m_isChecked());
    if (isNew)
        Q_EMIT CommandRegistered(id);
    return e.m_pAction;
}

QAction* CCommandRegistry::Find(CommandId id) const
{
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second.m_pAction;
}

bool CCommandRegistry::Execute(CommandId id)
{
    QAction* action = Find(id);
    if (!action)
        return false;
    UpdateCommandUI();
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void CCommandRegistry::UpdateCommandUILater()
{
    m_pUpdateLater->Request();
}

void CCommandRegistry::UpdateCommandUI()
{
    m_pUpdateLater->Cancel();
    for (auto& [id, e] : m_commands) {
        if (e.m_isEnabled)
            e.m_pAction->setEnabled(e.m_isEnabled());
        if (e.m_isChecked)
            e.m_pAction->setChecked(e.m_isChecked());
    }
}
