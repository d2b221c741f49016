#pragma once

#include <QDialog>

class CUpDownEdit;
class QCheckBox;

// "Select a Range": the first and last row to mark, as the list numbers
// them, and whether the rows outside lose their marks. It opens with the
// values of last time ("R1", "R2", "UnSelect"). OK refuses a field that
// holds no whole number and stays open; otherwise it takes a negative
// number as 0, swaps reversed ends, stores the values and closes. The
// caller marks the rows.
class CSelectRangeDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr char kNotAnInteger[] = "Please enter an integer.";

    explicit CSelectRangeDlg(QWidget* parent = nullptr);

    void accept() override;

    int m_nFrom = 1;
    int m_nTo = 1;
    bool m_bUnselect = false;

private:
    // True when edit holds a whole number, put in value; otherwise the
    // user is told and the field takes the focus.
    bool ReadField(CUpDownEdit* edit, int& value);

    CUpDownEdit* m_pFrom;
    CUpDownEdit* m_pTo;
    QCheckBox* m_pUnselect;
};
