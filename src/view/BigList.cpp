#include "view/BigList.h"

#include "model/DomainPadList.h"
#include "view/BigListModel.h"
#include "view/ListRowPainter.h"

#include <algorithm>

CBigList::CBigList(CDomainPadList* names, QWidget* parent)
    : QTreeView(parent), m_pNames(names), m_pModel(new CBigListModel(&names->GetNames(), this))
{
    CListRowPainter::Install(this, CListRowPainter::BigListLook());
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setModel(m_pModel);
    m_pModel->SetItemCount(names->GetItemCount());
    connect(names, &CDomainPadList::ItemCountChanged, m_pModel, &CBigListModel::SetItemCount);
    connect(m_pModel, &QAbstractItemModel::modelReset, this, [this] { m_nHighlightedItem = -1; });
}

CBigList::~CBigList() = default;

int CBigList::GetItemCount() const
{
    return m_pModel->rowCount();
}

std::vector<int> CBigList::GetSelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CBigList::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QTreeView::drawRow(painter, option, index);
    CListRowPainter::DrawRowFocus(this, painter, option, index);
}

void CBigList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    m_nHighlightedItem = current.isValid() ? current.row() : -1;
}
