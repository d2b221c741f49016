#include "names/TLDCheckListBox.h"

#include "model/TLDTable.h"
#include "names/TLDItemDelegate.h"

#include <QScrollBar>

#include <algorithm>

CTLDCheckListBox::CTLDCheckListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new CTLDItemDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
}

void CTLDCheckListBox::FillFromTable()
{
    clear();
    for (const auto& row : g_tldTable.m_rows) {
        auto* item = new QListWidgetItem(QLatin1Char(' ') + QString::fromLatin1(row->m_strTLD), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setForeground(ItemColor());
        item->setCheckState(row->m_bSelected ? Qt::Checked : Qt::Unchecked);
    }
    if (count() > 0)
        setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void CTLDCheckListBox::StoreToTable() const
{
    // Guard against a table that changed size while the list was open.
    const qsizetype n = std::min<qsizetype>(count(), g_tldTable.GetSize());
    for (qsizetype i = 0; i < n; ++i)
        g_tldTable.GetAt(i)->m_bSelected = GetCheck(int(i)) ? 1 : 0;
}

bool CTLDCheckListBox::GetCheck(int index) const
{
    const QListWidgetItem* it = item(index);
    return it && it->checkState() == Qt::Checked;
}

void CTLDCheckListBox::SetCheck(int index, bool checked)
{
    if (QListWidgetItem* it = item(index))
        it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

QSize CTLDCheckListBox::sizeHint() const
{
    constexpr int kRowsShown = 12;
    const int rowHeight = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
    const int frame = 2 * frameWidth();
    const int width = qMax(sizeHintForColumn(0), 100) + verticalScrollBar()->sizeHint().width() + frame;
    return {width, rowHeight * kRowsShown + frame};
}
