#include "view/FindDlg.h"

#include "base/Settings.h"
#include "base/TextHistory.h"
#include "widgets/OkCancelButtons.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

CFindDlg::CFindDlg(QWidget* parent) : QDialog(parent), m_pCombo(new QComboBox)
{
    setWindowTitle(QStringLiteral("Find"));
    m_pCombo->setObjectName(QStringLiteral("text"));
    m_pCombo->setEditable(true);
    // Texts join the history on OK, not when Enter is pressed in the box.
    m_pCombo->setInsertPolicy(QComboBox::NoInsert);
    // Nor is a beginning typed completed to a text of the history: a
    // beginning is worth looking for as it is.
    m_pCombo->setCompleter(nullptr);
    m_pCombo->setMinimumContentsLength(28);
    m_pCombo->setAccessibleName(QStringLiteral("Domain name"));

    auto* group = new QGroupBox(QStringLiteral("Look for a domain name in list"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pCombo);
    groupLayout->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(COkCancelButtons::Create(this).Column());

    // The box is sorted, as it always was, ignoring case.
    QStringList texts = LoadTextHistory(Settings::FindSection);
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    m_pCombo->addItems(texts);
    if (m_pCombo->count() > 0)
        m_pCombo->setCurrentIndex(0);
    else
        m_pCombo->setEditText(Settings::FindDomain.Get());
    m_pCombo->lineEdit()->selectAll();
    m_pCombo->setFocus();
}

void CFindDlg::accept()
{
    m_strText = m_pCombo->currentText();
    // The history is the box in its order: the new text goes on top and,
    // when the box is full, its last entry goes. An empty text is looked
    // for too, but not remembered.
    QStringList items;
    for (int i = 0; i < m_pCombo->count(); ++i)
        items.append(m_pCombo->itemText(i));
    SaveTextHistory(items, m_strText, Settings::FindSection);
    Settings::FindDomain.Set(m_strText);
    QDialog::accept();
}
