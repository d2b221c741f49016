#pragma once

#include <QAbstractTableModel>

class CDomainDoc;

// The main list's rows, read straight from the document: number, name,
// status and time of check, with the record's mark as the check state.
// Nothing is copied per row, so a repaint costs only the visible cells
// whatever the list's length. The row count follows the document's change
// notices, as the list's rows did: a rebuild re-reads the whole list.
class CDomainListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { COL_NUMBER, COL_DOMAIN, COL_STATUS, COL_CHECKED, COLUMN_COUNT };

    explicit CDomainListModel(CDomainDoc* doc, QObject* parent = nullptr);

    CDomainDoc* GetDocument() const { return m_pDoc; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The check state of column 0 is the record's mark.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The document's change notices.
    void OnListRebuilt();
    void OnAllRowsChanged();
    void OnRowChanged(int index);
    void OnRowRemoved(int index);

private:
    void Rebuild();
    // Anything the notice cannot describe is a rebuild, so the list never
    // shows rows the document no longer has; true when it rebuilt.
    bool RebuildIfCountChanged();
    void RowsChanged(int first, int last);

    CDomainDoc* m_pDoc;
    // Rows the list shows; equal to the document's count after every hint.
    int m_nRows = 0;
};
