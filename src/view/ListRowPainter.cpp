#include "view/ListRowPainter.h"

#include "view/ViewFonts.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QTreeView>
#include <QtMath>

CListRowPainter::Look CListRowPainter::DomainListLook()
{
    return Look{QColor(240, 240, 220), QColor(220, 240, 255), true};
}

CListRowPainter::Look CListRowPainter::BigListLook()
{
    return Look{QColor(240, 255, 255), QColor(255, 255, 255), false};
}

CListRowPainter::CListRowPainter(const Look& look, QObject* parent) : QStyledItemDelegate(parent), m_look(look) {}

QFont CListRowPainter::ListFont()
{
    return ArialFont(14, QFont::Bold);
}

CListRowPainter* CListRowPainter::Install(QTreeView* view, const Look& look)
{
    auto* painter = new CListRowPainter(look, view);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setIndentation(0);
    view->setUniformRowHeights(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setItemDelegate(painter);
    // The row height follows the font, as measured by the painter.
    view->setFont(ListFont());
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
    view->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return painter;
}

void CListRowPainter::DrawRowFocus(const QTreeView* view, QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index)
{
    if (!view->hasFocus() || view->currentIndex().row() != index.row())
        return;
    const QModelIndex first = index.siblingAtColumn(0);
    QRect bar = view->visualRect(first).united(view->visualRect(index.siblingAtColumn(view->model()->columnCount() - 1)));
    if (first.data(Qt::CheckStateRole).isValid())
        bar.setLeft(bar.left() + kCheckAreaWidth);
    painter->save();
    painter->setPen(QPen(option.palette.color(QPalette::Active, QPalette::HighlightedText), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(bar.adjusted(0, 0, -1, -1));
    painter->restore();
}

QRect CListRowPainter::CheckBoxRect(const QRect& cell)
{
    constexpr int kSize = 14;
    return QRect(cell.left() + (kCheckAreaWidth - kSize) / 2, cell.top() + (cell.height() - kSize) / 2, kSize, kSize);
}

namespace {

// Two spaces either side of the text, only one left of the first column's.
QMargins TextMargins(const QFont& font, bool firstColumn)
{
    const int offset = 2 * QFontMetrics(font).horizontalAdvance(QLatin1Char(' '));
    return QMargins(firstColumn ? offset / 2 : offset, 0, offset, 0);
}

QRect BarRect(const QRect& cell, bool checkBox)
{
    return checkBox ? cell.adjusted(CListRowPainter::kCheckAreaWidth, 0, 0, 0) : cell;
}

}

QRect CListRowPainter::TextRect(const QRect& cell, const QFont& font, bool firstColumn, bool checkBox)
{
    return BarRect(cell, checkBox).marginsRemoved(TextMargins(font, firstColumn));
}

int CListRowPainter::CellWidth(const QFont& font, const QString& text, bool firstColumn, bool checkBox)
{
    const QMargins margins = TextMargins(font, firstColumn);
    // Eliding compares the exact advance, so whole pixels are rounded up.
    const int textWidth = qCeil(QFontMetricsF(font).horizontalAdvance(text));
    return (checkBox ? kCheckAreaWidth : 0) + margins.left() + textWidth + margins.right();
}

QColor CListRowPainter::TextColour(const QString& text, bool highlighted, const QPalette& palette) const
{
    if (m_look.m_bRedAvailable && text.compare(QLatin1String("*available*"), Qt::CaseInsensitive) == 0)
        return QColor(255, 0, 0);
    return highlighted ? palette.color(QPalette::Active, QPalette::HighlightedText) : QColor(Qt::black);
}

void CListRowPainter::PaintCheckBox(QPainter* painter, const QStyleOptionViewItem& option, const QRect& area,
                                    Qt::CheckState state) const
{
    // The check-box strip is never part of the selection bar.
    painter->fillRect(area, option.palette.color(QPalette::Active, QPalette::Base));
    QStyleOptionViewItem box(option);
    box.rect = CheckBoxRect(area);
    box.state = QStyle::State_Enabled | (state == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    box.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, option.widget);
}

void CListRowPainter::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    // Selected rows stay highlighted without the focus, as the list always
    // shows its selection.
    const bool highlighted = option.state.testFlag(QStyle::State_Selected);
    const QVariant check = index.column() == 0 ? index.data(Qt::CheckStateRole) : QVariant();
    if (check.isValid()) {
        const QRect area(option.rect.left(), option.rect.top(), kCheckAreaWidth, option.rect.height());
        PaintCheckBox(painter, option, area, check.value<Qt::CheckState>());
    }
    const QColor stripe = index.row() % 2 == 0 ? m_look.m_clrEven : m_look.m_clrOdd;
    painter->fillRect(BarRect(option.rect, check.isValid()),
                      highlighted ? option.palette.color(QPalette::Active, QPalette::Highlight) : stripe);

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const QFontMetrics fm(option.font);
        const QRect textRect = TextRect(option.rect, option.font, index.column() == 0, check.isValid());
        const QVariant alignment = index.data(Qt::TextAlignmentRole);
        const int horizontal = alignment.isValid() ? (alignment.toInt() & Qt::AlignHorizontal_Mask) : Qt::AlignLeft;
        painter->setFont(option.font);
        painter->setPen(TextColour(text, highlighted, option.palette));
        painter->drawText(textRect, horizontal | Qt::AlignVCenter | Qt::TextSingleLine,
                          fm.elidedText(text, Qt::ElideRight, textRect.width()));
    }
    painter->restore();
}

QSize CListRowPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics fm(option.font);
    const int width = fm.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 4 * fm.horizontalAdvance(QLatin1Char(' '))
        + (index.column() == 0 ? kCheckAreaWidth : 0);
    return QSize(width, std::max(fm.height() + 4, 18));
}
