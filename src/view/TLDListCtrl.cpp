#include "view/TLDListCtrl.h"

#include "model/TLDTable.h"

CTLDListCtrl::CTLDListCtrl(QWidget* parent) : CDomainListCtrl(parent) {}

void CTLDListCtrl::OnLeftButtonDown(QMouseEvent* event)
{
    QTreeView::mousePressEvent(event);
}

void CTLDListCtrl::OnRightButtonDown(QMouseEvent*) {}

void CTLDListCtrl::OnColumnClick(int column)
{
    // Column 0 holds row numbers, which have no order of their own.
    if (column <= 0)
        return;
    SortTLDTable(column - 1);
    Q_EMIT TLDReopen();
}

void CTLDListCtrl::OnItemChanged()
{
    Q_EMIT TLDSelChange();
}
