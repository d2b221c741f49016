#pragma once

#include <QObject>

class QMenu;

// A letter typed in an open menu, alone or with Alt, runs the first item
// that underlines it, even where a later item underlines the same letter
// ("&Options..." and "Setup D&omains"); a letter no item underlines, or
// one whose item is disabled, does nothing.
class CMenuMnemonics : public QObject
{
    Q_OBJECT

public:
    // Installs itself on menu, which owns it.
    explicit CMenuMnemonics(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* m_pMenu;
};
