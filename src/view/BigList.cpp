#include "view/BigList.h"

#include "model/Archive.h"
#include "view/BigListModel.h"
#include "view/ListRowPainter.h"

CBigList::CBigList(QWidget* parent)
    : QTreeView(parent), m_pModel(new CBigListModel(&m_arrNames, this))
{
    CListRowPainter::Install(this, CListRowPainter::BigListLook());
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setModel(m_pModel);
    connect(m_pModel, &QAbstractItemModel::modelReset, this, [this] { m_nHighlightedItem = -1; });
}

CBigList::~CBigList() = default;

bool CBigList::InsertName(QByteArrayView name)
{
    if (m_arrNames.size() >= kMaxNames || m_index.contains(name))
        return false;
    m_arrNames.append(name.toByteArray());
    m_index.insert(m_arrNames.back());
    return true;
}

void CBigList::SetNames(const QList<QByteArray>& names)
{
    m_arrNames.clear();
    m_index.clear();
    for (const QByteArray& name : names)
        InsertName(name);
}

void CBigList::RebuildIndex()
{
    m_index.clear();
    for (const QByteArray& name : m_arrNames)
        m_index.insert(name);
}

void CBigList::SetItemCount(int count)
{
    m_pModel->SetItemCount(count);
}

int CBigList::GetItemCount() const
{
    return m_pModel->rowCount();
}

void CBigList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        // InsertName keeps the list within what the count can say.
        ar.WriteWord(uint16_t(m_arrNames.size()));
        for (const QByteArray& name : m_arrNames)
            ar.WriteString(name);
        return;
    }
    const uint16_t count = ar.ReadWord();
    m_arrNames.clear();
    m_arrNames.reserve(count);
    try {
        for (uint16_t i = 0; i < count; ++i)
            m_arrNames.append(ar.ReadString());
    } catch (...) {
        RebuildIndex();
        SetItemCount(int(m_arrNames.size()));
        throw;
    }
    RebuildIndex();
    SetItemCount(count);
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
