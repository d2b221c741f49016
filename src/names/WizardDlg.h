#pragma once

#include "commands/CommandId.h"

#include <QDialog>

class QRadioButton;

// "New Domain Name List": how a new user wants to make a list. OK tells the
// caller which command to run next (Add Names or Construct Names); the
// third way, character templates, is not offered.
class CWizardDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CWizardDlg(QWidget* parent = nullptr);

    // The command of the checked choice.
    CommandId ChosenCommand() const;

    QRadioButton* TypeNamesButton() const { return m_pType; }
    QRadioButton* KeywordsButton() const { return m_pKeywords; }
    QRadioButton* TemplatesButton() const { return m_pTemplates; }

private:
    QRadioButton* m_pType;
    QRadioButton* m_pKeywords;
    QRadioButton* m_pTemplates;
};
