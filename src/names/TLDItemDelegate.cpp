#include "names/TLDItemDelegate.h"

QFont CTLDItemDelegate::ItemFont()
{
    // Where Arial is missing, fontconfig picks a metric twin of it.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::ExtraBold);
    return font;
}

void CTLDItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->font = ItemFont();
    option->fontMetrics = QFontMetrics(option->font);
    // The item colour is set for every colour group, so the disabled look
    // has to be put back by hand.
    if (!(option->state & QStyle::State_Enabled))
        option->palette.setBrush(QPalette::Text, DisabledColor());
}
