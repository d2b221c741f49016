#include "commands/MenuMnemonics.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

CMenuMnemonics::CMenuMnemonics(QMenu* menu) : QObject(menu), m_pMenu(menu)
{
    menu->installEventFilter(this);
}

bool CMenuMnemonics::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pMenu || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::AltModifier && mods != Qt::ShiftModifier)
        return false;
    if (key->key() <= Qt::Key_Space || key->key() > Qt::Key_AsciiTilde)
        return false;
    const QKeyCombination wanted(Qt::AltModifier, Qt::Key(key->key()));
    for (QAction* item : m_pMenu->actions()) {
        // QKeySequence::mnemonic reads "&&" as a literal ampersand.
        if (item->isSeparator() || !item->isVisible() || QKeySequence::mnemonic(item->text()) != QKeySequence(wanted))
            continue;
        if (item->isEnabled()) {
            // As Return on it would: a sub-menu opens, a command runs and
            // the menus close.
            m_pMenu->setActiveAction(item);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(m_pMenu, &enter);
        }
        return true;
    }
    // Left to Qt, Alt with such a letter would close the menus.
    return true;
}
