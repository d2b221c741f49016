#pragma once

#include <QAbstractSpinBox>

#include <optional>

// An edit field with up and down arrows for a whole number. Unlike a spin
// box it takes whatever is typed, as an edit would: the dialog checks the
// text when OK is pressed (Integer()) and can refuse it there, with the
// field still showing what the user typed. The arrows step a number within
// the range; from a text that is no number they start at the range's low
// end.
class CUpDownEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    CUpDownEdit(int minimum, int maximum, QWidget* parent = nullptr);

    void SetValue(int value);
    // The text as a whole number (white space around it allowed, a sign
    // too), or nothing.
    std::optional<int> Integer() const;

    void stepBy(int steps) override;
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_nMinimum;
    int m_nMaximum;
};
