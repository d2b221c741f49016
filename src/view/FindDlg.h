#pragma once

#include <QDialog>

class QComboBox;

// "Find": the name, or the beginning of a name, to look for, typed or
// chosen from the texts looked for before (the "Find" history), which the
// box shows sorted. It opens with the first of them, or else with the
// text of last time ("Find Domain"). OK puts the text at the top of the
// history, stores it as "Find Domain" and closes; the caller looks for it.
class CFindDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFindDlg(QWidget* parent = nullptr);

    void accept() override;

    // The text to look for, taken when OK is pressed.
    QString m_strText;

    QComboBox* Combo() const { return m_pCombo; }

private:
    QComboBox* m_pCombo;
};
