#include "model/NameIndex.h"

#include "base/TextCompare.h"
#include "model/DomainInfo.h"

#include <bit>

namespace {

// Marks a slot whose record went; the probe goes on past it. Only ever
// compared, never dereferenced.
CDomainInfo* const kRemoved = reinterpret_cast<CDomainInfo*>(alignof(CDomainInfo));

size_t HashOf(QByteArrayView name)
{
    return NoCaseHash()(name);
}

}

bool CNameIndex::IsRemoved(const CSlot& slot) const
{
    return slot.m_pRecord == kRemoved;
}

void CNameIndex::Clear()
{
    m_slots = {};
    m_nSize = 0;
    m_nUsed = 0;
}

void CNameIndex::Reserve(size_t count)
{
    if ((count + 1) * 2 > m_slots.size())
        Grow(count);
}

void CNameIndex::Grow(size_t count)
{
    // At most half the slots taken keeps the probes short.
    std::vector<CSlot> old;
    old.swap(m_slots);
    m_slots.resize(std::bit_ceil(std::max<size_t>(16, (count + 1) * 2)));
    m_nUsed = 0;
    for (const CSlot& slot : old) {
        if (slot.m_pRecord && !IsRemoved(slot))
            Put(slot.m_nHash, slot.m_pRecord);
    }
}

void CNameIndex::Put(size_t hash, CDomainInfo* record)
{
    size_t i = hash & Mask();
    while (m_slots[i].m_pRecord && !IsRemoved(m_slots[i]))
        i = (i + 1) & Mask();
    if (!m_slots[i].m_pRecord)
        ++m_nUsed;
    m_slots[i] = {hash, record};
}

void CNameIndex::Add(CDomainInfo* record)
{
    if ((m_nUsed + 1) * 2 > m_slots.size())
        Grow(m_nSize + 1);
    Put(HashOf(record->m_strName), record);
    ++m_nSize;
}

void CNameIndex::Remove(const CDomainInfo* record)
{
    if (m_slots.empty())
        return;
    const size_t hash = HashOf(record->m_strName);
    for (size_t i = hash & Mask(); m_slots[i].m_pRecord; i = (i + 1) & Mask()) {
        if (m_slots[i].m_pRecord == record) {
            m_slots[i].m_pRecord = kRemoved;
            --m_nSize;
            return;
        }
    }
}

CNameIndex::CMatch CNameIndex::Find(QByteArrayView name) const
{
    CMatch match;
    if (m_slots.empty())
        return match;
    const size_t hash = HashOf(name);
    for (size_t i = hash & Mask(); m_slots[i].m_pRecord; i = (i + 1) & Mask()) {
        const CSlot& slot = m_slots[i];
        if (IsRemoved(slot) || slot.m_nHash != hash || !EqualsNoCase(slot.m_pRecord->m_strName, name))
            continue;
        if (match.m_nCount++ == 0)
            match.m_pRecord = slot.m_pRecord;
    }
    return match;
}
