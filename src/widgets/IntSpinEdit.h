#pragma once

#include <QAbstractSpinBox>

#include <optional>

// A number box with arrows, as the Options dialog has always had: the arrows
// and the arrow keys step within the range, but typing is free, so a value
// outside the range can be typed and kept, and a non-number is only refused
// when the dialog reads the box (Value() has nothing then).
class CIntSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit CIntSpinEdit(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_nMin; }
    int Maximum() const { return m_nMax; }

    void SetValue(int value);
    // The typed text as an integer: blanks around it are allowed, anything
    // else (letters, a fraction, a number too large for an int) is not.
    std::optional<int> Value() const;
    static std::optional<int> ParseInteger(const QString& text);

    // The box's text field (tests type into it).
    using QAbstractSpinBox::lineEdit;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_nMin = 0;
    int m_nMax = 100;
};
