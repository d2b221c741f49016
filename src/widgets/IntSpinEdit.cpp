#include "widgets/IntSpinEdit.h"

#include <QLineEdit>

#include <algorithm>
#include <climits>

CIntSpinEdit::CIntSpinEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

void CIntSpinEdit::SetRange(int minimum, int maximum)
{
    m_nMin = minimum;
    m_nMax = std::max(minimum, maximum);
    update();
}

void CIntSpinEdit::SetValue(int value)
{
    lineEdit()->setText(QString::number(value));
}

std::optional<int> CIntSpinEdit::ParseInteger(const QString& text)
{
    // Spaces and tabs around the number only; a sign, then digits.
    QString digits = text;
    while (!digits.isEmpty() && (digits.front() == QLatin1Char(' ') || digits.front() == QLatin1Char('\t')))
        digits.remove(0, 1);
    while (!digits.isEmpty() && (digits.back() == QLatin1Char(' ') || digits.back() == QLatin1Char('\t')))
        digits.chop(1);
    const qsizetype start = digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (digits.size() <= start)
        return std::nullopt;
    for (qsizetype i = start; i < digits.size(); ++i) {
        if (digits[i] < QLatin1Char('0') || digits[i] > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const long long value = digits.toLongLong(&ok);
    if (!ok || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return int(value);
}

std::optional<int> CIntSpinEdit::Value() const
{
    return ParseInteger(lineEdit()->text());
}

void CIntSpinEdit::stepBy(int steps)
{
    // Like an up-down control with its buddy: start from the typed value
    // held to the range (the lower end when there is no number), step, and
    // stay inside the range.
    const int current = std::clamp(Value().value_or(m_nMin), m_nMin, m_nMax);
    const long long next = std::clamp<long long>(static_cast<long long>(current) + steps, m_nMin, m_nMax);
    SetValue(int(next));
    lineEdit()->selectAll();
}

QValidator::State CIntSpinEdit::validate(QString&, int&) const
{
    // Anything may be typed; the dialog says what it cannot take.
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled CIntSpinEdit::stepEnabled() const
{
    const std::optional<int> value = Value();
    if (!value)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*value < m_nMax)
        enabled |= StepUpEnabled;
    if (*value > m_nMin)
        enabled |= StepDownEnabled;
    return enabled;
}
