#include "commands/CommandProxy.h"

#include "commands/CommandRegistry.h"

#include <QPointer>

CCommandProxy::CCommandProxy(CCommandRegistry* registry, CommandId id, const QString& text, QObject* parent)
    : QAction(text, parent), m_pRegistry(registry), m_pTarget(registry->Find(id)), m_id(id)
{
    Q_ASSERT(m_pTarget);
    setStatusTip(m_pTarget->statusTip());
    setToolTip(m_pTarget->toolTip());
    setMenuRole(QAction::NoRole);
    setData(id.m_nValue);
    Sync();
    connect(m_pTarget, &QAction::changed, this, &CCommandProxy::Sync);
    connect(m_pTarget, &QAction::toggled, this, &CCommandProxy::Sync);
    connect(this, &QAction::triggered, this, [this] {
        // The command may rebuild the menus (a recent file opened, say).
        const QPointer<CCommandProxy> self(this);
        m_pRegistry->Execute(m_id);
        // Clicking a checkable item flips it at once; the command's rule has
        // the last word.
        if (self)
            Sync();
    });
}

void CCommandProxy::Sync()
{
    setEnabled(m_pTarget->isEnabled());
    setCheckable(m_pTarget->isCheckable());
    setChecked(m_pTarget->isChecked());
}
