#pragma once

#include <QListWidget>

// The list of TLDs with a tick in front of each, one item per row of
// g_tldTable in table order, so that item i always stands for row i.
class CTLDCheckListBox : public QListWidget
{
    Q_OBJECT

public:
    static QColor ItemColor() { return {0, 0, 128}; }

    explicit CTLDCheckListBox(QWidget* parent = nullptr);

    // Fills the list from the table, ticked from m_bSelected.
    void FillFromTable();
    // Stores the ticks into the rows' m_bSelected.
    void StoreToTable() const;

    bool GetCheck(int index) const;
    void SetCheck(int index, bool checked);

    // Room for the default table's twelve rows without scrolling.
    QSize sizeHint() const override;
};
