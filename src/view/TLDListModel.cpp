#include "view/TLDListModel.h"

#include "model/TLDTable.h"

CTLDListModel::CTLDListModel(QObject* parent) : QAbstractTableModel(parent), m_nRows(int(g_tldTable.GetSize())) {}

int CTLDListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int CTLDListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CTLDListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= g_tldTable.GetSize() || role != Qt::DisplayRole)
        return {};
    const CTLDInfo& row = *g_tldTable.GetAt(index.row());
    switch (index.column()) {
    case 0:
        return QString::number(index.row() + 1);
    case 1:
        return QString::fromLatin1(row.m_strTLD);
    case 2:
        return QString::fromLatin1(row.m_strServer);
    default:
        return {};
    }
}

QVariant CTLDListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[] = {"SlNo.", "TLD", "Server"};
    return section >= 0 && section < 3 ? QVariant(QString::fromLatin1(kTitles[section])) : QVariant();
}

void CTLDListModel::Reload()
{
    beginResetModel();
    m_nRows = int(g_tldTable.GetSize());
    endResetModel();
}

void CTLDListModel::RowChanged(int row)
{
    if (row >= 0 && row < m_nRows)
        Q_EMIT dataChanged(index(row, 0), index(row, 2));
}

void CTLDListModel::AllRowsChanged()
{
    if (m_nRows > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_nRows - 1, 2));
}

void CTLDListModel::RowsAppended()
{
    const int rows = int(g_tldTable.GetSize());
    if (rows <= m_nRows)
        return;
    beginInsertRows({}, m_nRows, rows - 1);
    m_nRows = rows;
    endInsertRows();
}

void CTLDListModel::RemoveRow(int row)
{
    if (row < 0 || row >= m_nRows || row >= g_tldTable.GetSize())
        return;
    beginRemoveRows({}, row, row);
    g_tldTable.RemoveAt(row);
    m_nRows = int(g_tldTable.GetSize());
    endRemoveRows();
    if (row < m_nRows)
        Q_EMIT dataChanged(index(row, 0), index(m_nRows - 1, 0));
}
