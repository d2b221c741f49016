#include "view/DomainListModel.h"

#include "model/DomainDoc.h"

CDomainListModel::CDomainListModel(CDomainDoc* doc, QObject* parent) : QAbstractTableModel(parent), m_pDoc(doc)
{
    m_nRows = m_pDoc->GetCount();
    connect(m_pDoc, &CDomainDoc::ListRebuilt, this, &CDomainListModel::OnListRebuilt);
    connect(m_pDoc, &CDomainDoc::AllRowsChanged, this, &CDomainListModel::OnAllRowsChanged);
    connect(m_pDoc, &CDomainDoc::RowChanged, this, &CDomainListModel::OnRowChanged);
    connect(m_pDoc, &CDomainDoc::RowRemoved, this, &CDomainListModel::OnRowRemoved);
}

int CDomainListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int CDomainListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QVariant CDomainListModel::data(const QModelIndex& index, int role) const
{
    // The document may have changed ahead of its hint; never read past it.
    if (!index.isValid() || index.row() >= m_pDoc->GetCount())
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        QString text;
        m_pDoc->GetItemText(index.row(), index.column(), text);
        return text;
    }
    case Qt::CheckStateRole:
        if (index.column() == COL_NUMBER)
            return m_pDoc->GetAt(index.row())->m_bSelected ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CDomainListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case COL_NUMBER:
        return QStringLiteral("SlNo.");
    case COL_DOMAIN:
        return QStringLiteral("Domain");
    case COL_STATUS:
        return QStringLiteral("Status");
    case COL_CHECKED:
        return QStringLiteral("Checked At");
    default:
        return {};
    }
}

Qt::ItemFlags CDomainListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == COL_NUMBER)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool CDomainListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != COL_NUMBER || index.row() >= m_pDoc->GetCount())
        return false;
    // The document marks itself modified and sends the row's hint.
    m_pDoc->SetSelected(index.row(), value.value<Qt::CheckState>() == Qt::Checked ? 1 : 0);
    return true;
}

void CDomainListModel::Rebuild()
{
    beginResetModel();
    m_nRows = m_pDoc->GetCount();
    endResetModel();
}

void CDomainListModel::RowsChanged(int first, int last)
{
    if (first <= last)
        Q_EMIT dataChanged(index(first, 0), index(last, COLUMN_COUNT - 1));
}

bool CDomainListModel::RebuildIfCountChanged()
{
    if (m_pDoc->GetCount() == m_nRows)
        return false;
    Rebuild();
    return true;
}

void CDomainListModel::OnListRebuilt()
{
    Rebuild();
}

void CDomainListModel::OnAllRowsChanged()
{
    if (!RebuildIfCountChanged())
        RowsChanged(0, m_nRows - 1);
}

void CDomainListModel::OnRowChanged(int index)
{
    if (!RebuildIfCountChanged() && index >= 0 && index < m_nRows)
        RowsChanged(index, index);
}

void CDomainListModel::OnRowRemoved(int index)
{
    const int count = m_pDoc->GetCount();
    if (index >= 0 && index < m_nRows && count == m_nRows - 1) {
        beginRemoveRows({}, index, index);
        m_nRows = count;
        endRemoveRows();
        // The numbers of the rows below it shift.
        RowsChanged(index, m_nRows - 1);
        return;
    }
    OnAllRowsChanged();
}
