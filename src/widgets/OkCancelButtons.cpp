#include "widgets/OkCancelButtons.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

COkCancelButtons COkCancelButtons::Create(QDialog* dialog, const QString& okText, const QString& cancelText)
{
    COkCancelButtons buttons{new QPushButton(okText, dialog), new QPushButton(cancelText, dialog)};
    buttons.m_pOk->setObjectName(QStringLiteral("ok"));
    buttons.m_pOk->setDefault(true);
    buttons.m_pCancel->setObjectName(QStringLiteral("cancel"));
    buttons.m_pCancel->setAutoDefault(false);
    QObject::connect(buttons.m_pOk, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.m_pCancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

QVBoxLayout* COkCancelButtons::Column() const
{
    auto* column = new QVBoxLayout;
    column->addWidget(m_pOk);
    column->addWidget(m_pCancel);
    column->addStretch(1);
    return column;
}
