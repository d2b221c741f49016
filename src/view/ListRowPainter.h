#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QTreeView;

// Paints every row of the program's lists itself: two pale stripe colours,
// a selection bar that spans all columns but leaves the check-box area
// alone, and, in the domain lists, "*AVAILABLE*" in red so a free name
// stands out even on the selected row. Shared by the main list, the TLD list
// and the Domain Pad.
class CListRowPainter : public QStyledItemDelegate
{
    Q_OBJECT

public:
    struct Look
    {
        QColor m_clrEven;   // rows 0, 2, ...
        QColor m_clrOdd;
        bool m_bRedAvailable = false;
    };
    static Look DomainListLook();
    static Look BigListLook();

    explicit CListRowPainter(const Look& look, QObject* parent = nullptr);

    // Makes view a flat report list drawn by a new painter with this look:
    // rows of one height, whole-row single selection, no editing, the
    // list's bold font. Returns the painter, owned by view.
    static CListRowPainter* Install(QTreeView* view, const Look& look);
    // The list's own font: Arial, 14 pixels, bold.
    static QFont ListFont();
    // The dotted frame round the selection bar of view's current row, when
    // index is in that row and view has the keyboard focus.
    static void DrawRowFocus(const QTreeView* view, QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index);

    // Width of the strip at the left of column 0 that holds the row's check
    // box (only in lists whose model has check states).
    static constexpr int kCheckAreaWidth = 20;
    // Where the check box of a row is drawn, inside column 0's cell.
    static QRect CheckBoxRect(const QRect& cell);
    // Where the text of a cell is drawn: right of the check-box strip when
    // the cell has one, with a little space on either side.
    static QRect TextRect(const QRect& cell, const QFont& font, bool firstColumn, bool checkBox);
    // The narrowest cell that shows text in font without eliding it.
    static int CellWidth(const QFont& font, const QString& text, bool firstColumn, bool checkBox);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Check boxes are toggled by the list itself, under its own rules.
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&) override
    {
        return false;
    }

    // The text colour of a cell: red for a whole-text "*available*" when the
    // look asks for it.
    QColor TextColour(const QString& text, bool highlighted, const QPalette& palette) const;

private:
    void PaintCheckBox(QPainter* painter, const QStyleOptionViewItem& option, const QRect& area,
                       Qt::CheckState state) const;

    Look m_look;
};
