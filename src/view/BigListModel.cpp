#include "view/BigListModel.h"

CBigListModel::CBigListModel(const QList<QByteArray>* names, QObject* parent)
    : QAbstractTableModel(parent), m_pNames(names)
{
}

int CBigListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int CBigListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CBigListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    if (index.column() == 0)
        return QString::number(index.row() + 1);
    if (index.column() == 1)
        return index.row() < m_pNames->size() ? QString::fromLatin1(m_pNames->at(index.row())) : QString();
    return {};
}

QVariant CBigListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("SlNo.") : QStringLiteral("Domain");
}

void CBigListModel::SetItemCount(int count)
{
    count = std::max(0, count);
    if (count == m_nRows) {
        // Same length, other names (sorted, replaced): repaint them all.
        if (count > 0)
            Q_EMIT dataChanged(index(0, 0), index(count - 1, 1));
        return;
    }
    beginResetModel();
    m_nRows = count;
    endResetModel();
}
