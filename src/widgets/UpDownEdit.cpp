#include "widgets/UpDownEdit.h"

#include <QLineEdit>

#include <algorithm>

CUpDownEdit::CUpDownEdit(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_nMinimum(minimum), m_nMaximum(maximum)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
}

void CUpDownEdit::SetValue(int value)
{
    lineEdit()->setText(QString::number(value));
}

std::optional<int> CUpDownEdit::Integer() const
{
    bool ok = false;
    const int value = text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

void CUpDownEdit::stepBy(int steps)
{
    const std::optional<int> current = Integer();
    const qint64 next = current ? qint64(*current) + steps : qint64(m_nMinimum);
    SetValue(int(std::clamp<qint64>(next, m_nMinimum, m_nMaximum)));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled CUpDownEdit::stepEnabled() const
{
    const std::optional<int> current = Integer();
    if (!current)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*current < m_nMaximum)
        enabled |= StepUpEnabled;
    if (*current > m_nMinimum)
        enabled |= StepDownEnabled;
    return enabled;
}
