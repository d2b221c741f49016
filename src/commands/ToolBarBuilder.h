#pragma once

#include <QObject>
#include <QPointer>

class CCoalescedCall;
class CCommandRegistry;
class QToolBar;

// Fills the main toolbar from its table with the registered commands, each
// with its picture, and again whenever another command is registered.
class CToolBarBuilder : public QObject
{
    Q_OBJECT

public:
    CToolBarBuilder(QToolBar* toolBar, CCommandRegistry* registry);

    void Rebuild();
    void RebuildLater();

private:
    QToolBar* m_pToolBar;
    CCommandRegistry* m_pRegistry;
    QPointer<QObject> m_pItems;   // owns the current buttons' actions
    CCoalescedCall* m_pRebuildLater;
};
