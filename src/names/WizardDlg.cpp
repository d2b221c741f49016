#include "names/WizardDlg.h"

#include "commands/CommandIcons.h"
#include "widgets/OkCancelButtons.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// A choice's picture beside its button.
QLabel* ChoiceIcon(const QIcon& icon, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(icon.pixmap(32, 32));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return label;
}

}

CWizardDlg::CWizardDlg(QWidget* parent)
    : QDialog(parent)
    , m_pType(new QRadioButton(
          QStringLiteral("I will manually type in the domain names or import the names from a text file."), this))
    , m_pKeywords(new QRadioButton(QStringLiteral("I will create the names using keywords."), this))
    , m_pTemplates(new QRadioButton(QStringLiteral("I will create the names using character templates."), this))
{
    setWindowTitle(QStringLiteral("New Domain Name List"));
    m_pType->setObjectName(QStringLiteral("typeNames"));
    m_pKeywords->setObjectName(QStringLiteral("keywords"));
    m_pTemplates->setObjectName(QStringLiteral("templates"));

    auto* choices = new QGridLayout;
    choices->setHorizontalSpacing(12);
    choices->setVerticalSpacing(14);
    choices->addWidget(ChoiceIcon(GetCommandIcon(ID_ADD_DOMAINS), this), 0, 0);
    choices->addWidget(m_pType, 0, 1);
    choices->addWidget(ChoiceIcon(GetCommandIcon(ID_CONSTRUCT_NAMES), this), 1, 0);
    choices->addWidget(m_pKeywords, 1, 1);
    QLabel* templatesIcon = ChoiceIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView), this);
    templatesIcon->setObjectName(QStringLiteral("templatesIcon"));
    choices->addWidget(templatesIcon, 2, 0);
    choices->addWidget(m_pTemplates, 2, 1);
    // Nothing makes names from templates yet.
    m_pTemplates->hide();
    templatesIcon->hide();
    m_pType->setChecked(true);

    const COkCancelButtons okCancel = COkCancelButtons::Create(this, QStringLiteral("&OK"), QStringLiteral("&Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okCancel.m_pCancel);
    buttons->addWidget(okCancel.m_pOk);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    m_pType->setFocus();
}

CommandId CWizardDlg::ChosenCommand() const
{
    if (m_pKeywords->isChecked())
        return ID_CONSTRUCT_NAMES;
    if (m_pTemplates->isChecked())
        return ID_CREATE_FROM_TEMPLATES;
    return ID_ADD_DOMAINS;
}
