#pragma once

#include <QStyledItemDelegate>

// Paints the items of the TLD check list: bold text in the item's own colour
// (its foreground data), grey while the list or the item is disabled, the
// highlight colours while selected. The check box is the style's.
class CTLDItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QFont ItemFont();
    static QColor DisabledColor() { return {128, 128, 128}; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
