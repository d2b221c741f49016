#include "model/DomainPadList.h"

#include "model/Archive.h"

#include <algorithm>

CDomainPadList::CDomainPadList(QObject* parent) : QObject(parent) {}

CDomainPadList::~CDomainPadList() = default;

bool CDomainPadList::InsertName(QByteArrayView name)
{
    if (m_arrNames.size() >= kMaxNames || m_index.contains(name))
        return false;
    m_arrNames.append(name.toByteArray());
    m_index.insert(m_arrNames.back());
    return true;
}

void CDomainPadList::SetNames(const QByteArrayList& names)
{
    m_arrNames.clear();
    m_index.clear();
    for (const QByteArray& name : names)
        InsertName(name);
}

void CDomainPadList::RebuildIndex()
{
    m_index.clear();
    m_index.reserve(size_t(m_arrNames.size()));
    for (const QByteArray& name : m_arrNames)
        m_index.insert(name);
}

void CDomainPadList::SetItemCount(int count)
{
    m_nItemCount = std::max(0, count);
    Q_EMIT ItemCountChanged(m_nItemCount);
}

void CDomainPadList::SortNames()
{
    std::stable_sort(m_arrNames.begin(), m_arrNames.end(),
                     [](const QByteArray& a, const QByteArray& b) { return CompareNoCase(a, b) < 0; });
    UpdateItemCount();
}

std::vector<int> CDomainPadList::ValidRows(std::vector<int> rows) const
{
    std::erase_if(rows, [this](int row) { return row < 0 || row >= GetSize(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int CDomainPadList::DeleteRows(std::vector<int> rows)
{
    rows = ValidRows(std::move(rows));
    if (rows.empty())
        return 0;
    // One pass that keeps every name not at a given row.
    QByteArrayList kept;
    kept.reserve(m_arrNames.size() - qsizetype(rows.size()));
    auto next = rows.begin();
    for (int i = 0; i < GetSize(); ++i) {
        if (next != rows.end() && *next == i)
            ++next;
        else
            kept.append(std::move(m_arrNames[i]));
    }
    m_arrNames = std::move(kept);
    RebuildIndex();
    UpdateItemCount();
    return int(rows.size());
}

QByteArrayList CDomainPadList::NamesAt(std::vector<int> rows) const
{
    QByteArrayList names;
    for (int row : ValidRows(std::move(rows)))
        names.append(m_arrNames[row]);
    return names;
}

void CDomainPadList::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        Store(ar);
    else
        Load(ar);
}

void CDomainPadList::Store(CArchive& ar) const
{
    // InsertName keeps the list within what the count can say.
    ar.WriteWord(uint16_t(m_arrNames.size()));
    for (const QByteArray& name : m_arrNames)
        ar.WriteString(name);
}

void CDomainPadList::Load(CArchive& ar)
{
    m_arrNames.clear();
    try {
        const uint16_t count = ar.ReadWord();
        // Never trust the count for memory: each name takes at least a byte.
        m_arrNames.reserve(std::min<qsizetype>(count, ar.BytesLeft()));
        for (uint16_t i = 0; i < count; ++i)
            m_arrNames.append(ar.ReadString());
    } catch (...) {
        RebuildIndex();
        UpdateItemCount();
        throw;
    }
    RebuildIndex();
    UpdateItemCount();
}
