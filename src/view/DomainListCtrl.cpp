#include "view/DomainListCtrl.h"

#include "model/DomainDoc.h"
#include "commands/CommandId.h"
#include "commands/MenuBuilder.h"
#include "commands/CommandRegistry.h"
#include "view/ListRowPainter.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace {

// Clicks left of this x on a row's check box toggle its mark.
constexpr int kCheckClickLimit = 30;

}

CDomainListCtrl::CDomainListCtrl(QWidget* parent)
    : QTreeView(parent)
{
    CListRowPainter::Install(this, CListRowPainter::DomainListLook());
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) { OnColumnClick(column); });
}

CDomainListCtrl::~CDomainListCtrl() = default;

void CDomainListCtrl::setModel(QAbstractItemModel* model)
{
    if (QAbstractItemModel* old = this->model())
        disconnect(old, nullptr, this, nullptr);
    QTreeView::setModel(model);
    m_nHighlightedItem = -1;
    if (model) {
        connect(model, &QAbstractItemModel::rowsRemoved, this, &CDomainListCtrl::OnRowsRemoved);
        connect(model, &QAbstractItemModel::modelReset, this, &CDomainListCtrl::OnModelReset);
        // A new digit in the row count may widen the number column.
        connect(model, &QAbstractItemModel::modelReset, this, &CDomainListCtrl::ApplyColumnWidths);
        connect(model, &QAbstractItemModel::rowsInserted, this, &CDomainListCtrl::ApplyColumnWidths);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &CDomainListCtrl::ApplyColumnWidths);
    }
}

int CDomainListCtrl::GetItemCount() const
{
    return model() ? model()->rowCount() : 0;
}

void CDomainListCtrl::HighlightItem(int row)
{
    if (row < 0 || row >= GetItemCount()) {
        clearSelection();
        m_nHighlightedItem = -1;
    } else {
        const QModelIndex index = model()->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
        m_nHighlightedItem = row;
    }
    Q_EMIT ShowInfoRequested();
}

void CDomainListCtrl::SetColumnWidths(int listWidth)
{
    m_nListWidth = listWidth;
    ApplyColumnWidths();
}

void CDomainListCtrl::ApplyColumnWidths()
{
    if (m_nListWidth < 0)
        return;
    constexpr int kNumberWidth = 60;
    const int t = (m_nListWidth - 75) / 3;
    const int number = std::max(kNumberWidth, NumberColumnWidth());
    setColumnWidth(0, number);
    setColumnWidth(1, std::max(0, t + 15 - (number - kNumberWidth)));
    setColumnWidth(2, std::max(0, t - 5));
    setColumnWidth(3, std::max(0, t - 10));
}

int CDomainListCtrl::NumberColumnWidth() const
{
    const int rows = GetItemCount();
    if (rows == 0)
        return 0;
    // Digits differ in width in some fonts: any number up to the last row's
    // fits in as many of the widest digit.
    const QFontMetricsF fm(font());
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (fm.horizontalAdvance(QLatin1Char(digit)) > fm.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    }
    const QString text(QString::number(rows).size(), widest);
    const bool checkBox = model()->index(0, 0).data(Qt::CheckStateRole).isValid();
    return CListRowPainter::CellWidth(font(), text, true, checkBox);
}

// --- mouse and keys ----------------------------------------------------------

bool CDomainListCtrl::IsOnCheckBox(const QPoint& pos, int* row) const
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || pos.x() >= kCheckClickLimit)
        return false;
    const QModelIndex first = index.siblingAtColumn(0);
    if (!first.data(Qt::CheckStateRole).isValid())
        return false;
    const QRect cell = visualRect(first);
    if (!QRect(cell.left(), cell.top(), CListRowPainter::kCheckAreaWidth, cell.height()).contains(pos))
        return false;
    *row = index.row();
    return true;
}

void CDomainListCtrl::ToggleMark(int row)
{
    const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
    const QVariant state = index.data(Qt::CheckStateRole);
    if (!state.isValid())
        return;
    model()->setData(index, state.value<Qt::CheckState>() == Qt::Checked ? Qt::Unchecked : Qt::Checked,
                     Qt::CheckStateRole);
}

void CDomainListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLeftButtonDown(event);
    else if (event->button() == Qt::RightButton)
        OnRightButtonDown(event);
    else
        QTreeView::mousePressEvent(event);
}

void CDomainListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A quick second click on a check box is a second toggle, not a double click.
    int row = -1;
    if (event->button() == Qt::LeftButton && IsOnCheckBox(event->position().toPoint(), &row)) {
        OnLeftButtonDown(event);
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void CDomainListCtrl::OnLeftButtonDown(QMouseEvent* event)
{
    int row = -1;
    if (IsOnCheckBox(event->position().toPoint(), &row)) {
        // Marking leaves the selection where it is.
        ToggleMark(row);
        return;
    }
    QTreeView::mousePressEvent(event);
    Q_EMIT ShowInfoRequested();
}

void CDomainListCtrl::OnRightButtonDown(QMouseEvent* event)
{
    QTreeView::mousePressEvent(event);
    Q_EMIT ShowInfoRequested();
}

void CDomainListCtrl::keyPressEvent(QKeyEvent* event)
{
    // Space marks the highlighted entry, as a click on its check box would.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && m_nHighlightedItem >= 0
        && m_nHighlightedItem < GetItemCount()) {
        ToggleMark(m_nHighlightedItem);
        return;
    }
    QTreeView::keyPressEvent(event);
}

void CDomainListCtrl::OnColumnClick(int column)
{
    if (column >= 0 && m_pDoc)
        m_pDoc->SortDomains(column);
}

// --- context menu ------------------------------------------------------------

std::unique_ptr<QMenu> CDomainListCtrl::BuildContextMenu()
{
    if (!m_pRegistry)
        return std::make_unique<QMenu>(this);
    m_pRegistry->UpdateCommandUI();
    std::unique_ptr<QMenu> menu(CMenuBuilder(m_pRegistry, MenuPlace::ContextMenu).Build({}, GetListContextMenu(), this));
    return menu ? std::move(menu) : std::make_unique<QMenu>(this);
}

void CDomainListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (!WantsContextMenu())
        return;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard && m_nHighlightedItem >= 0 && m_nHighlightedItem < GetItemCount()) {
        // From the keyboard the menu opens at the highlighted row.
        const QRect row = visualRect(model()->index(m_nHighlightedItem, 1));
        at = viewport()->mapToGlobal(row.bottomLeft());
    }
    std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (menu->isEmpty())
        return;
    Q_EMIT ContextMenuShown(menu.get());
    menu->exec(at);
}

// --- painting and selection ----------------------------------------------------

void CDomainListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QTreeView::drawRow(painter, option, index);
    CListRowPainter::DrawRowFocus(this, painter, option, index);
}

void CDomainListCtrl::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    if (m_bRemovingRows)
        return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    m_nHighlightedItem = rows.isEmpty() ? -1 : rows.first().row();
    OnItemChanged();
}

void CDomainListCtrl::OnItemChanged()
{
    Q_EMIT ShowInfoRequested();
}

void CDomainListCtrl::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    m_bRemovingRows = true;
    if (!parent.isValid() && m_nHighlightedItem >= start && m_nHighlightedItem <= end)
        m_nReselectAfterRemoval = start;
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void CDomainListCtrl::OnRowsRemoved()
{
    m_bRemovingRows = false;
    if (m_nReselectAfterRemoval >= 0) {
        // The row that takes the removed one's place becomes the highlighted
        // entry, so what is highlighted is always what the selection shows.
        const int row = std::min(m_nReselectAfterRemoval, GetItemCount() - 1);
        m_nReselectAfterRemoval = -1;
        HighlightItem(row);
        return;
    }
    const QModelIndexList rows = selectionModel()->selectedRows();
    m_nHighlightedItem = rows.isEmpty() ? -1 : rows.first().row();
}

void CDomainListCtrl::OnModelReset()
{
    m_nHighlightedItem = -1;
    m_nReselectAfterRemoval = -1;
    m_bRemovingRows = false;
}
