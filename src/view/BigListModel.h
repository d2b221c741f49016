#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

// The rows of a CBigList: row number and name, read from the list's name
// array on demand. The row count is set by the owner, as it was the
// control's item count, and may differ from the array for a moment.
class CBigListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CBigListModel(const QList<QByteArray>* names, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void SetItemCount(int count);

private:
    const QList<QByteArray>* m_pNames;
    int m_nRows = 0;
};
