#pragma once

#include <QAbstractTableModel>

// The rows of the TLD table (g_tldTable) for the TLD list: number, TLD and
// whois server, read from the table on demand. The dialog that edits the
// table says when rows changed.
class CTLDListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CTLDListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Reads the whole table again (rows added, removed or reordered).
    void Reload();
    // The texts of one row changed.
    void RowChanged(int row);
    // The texts of every row may have changed.
    void AllRowsChanged();
    // Shows the rows the table gained at its end since the list last counted.
    void RowsAppended();
    // Deletes row from the TLD table and the list together; the rows after
    // it are numbered anew.
    void RemoveRow(int row);

private:
    int m_nRows = 0;
};
