#pragma once

#include "commands/CommandId.h"

#include <QAction>
#include <QObject>

#include <functional>
#include <map>

class CCoalescedCall;
class QWidget;

// One QAction per command id, shared by the menu bar, the toolbar, context
// menus and shortcuts. A command exists once something registers a handler
// for it; menus and toolbars show only registered commands, so a feature
// joins them with a single Register call. Enable and check states come from
// each command's rule and are evaluated together in UpdateCommandUI.
class CCommandRegistry : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void()>;
    using Rule = std::function<bool()>;

    // Actions are added to window, so that their shortcuts work anywhere in it.
    explicit CCommandRegistry(QWidget* window);

    // Registers (or replaces) the handler of id. isEnabled empty: always
    // enabled; isChecked non-empty: the action is checkable. The action's
    // status tip, tooltip and keys come from the command table.
    QAction* Register(CommandId id, Handler onTrigger, Rule isEnabled = {}, Rule isChecked = {});

    // The action of a registered command, or null.
    QAction* Find(CommandId id) const;
    bool IsRegistered(CommandId id) const { return Find(id) != nullptr; }

    // Runs the command as a menu choice would, if it is registered and enabled.
    bool Execute(CommandId id);

    // Re-evaluates the enable and check rules of every command.
    void UpdateCommandUI();
    // The same, once, when the event loop next runs: for callers that see
    // many small changes in a row.
    void UpdateCommandUILater();

Q_SIGNALS:
    // A command was registered after menus were built.
    void CommandRegistered(CommandId id);

private:
    struct Entry
    {
        QAction* m_pAction = nullptr;
        Handler m_onTrigger;
        Rule m_isEnabled;
        Rule m_isChecked;
    };

    QWidget* m_pWindow;
    std::map<CommandId, Entry> m_commands;
    CCoalescedCall* m_pUpdateLater;
};
