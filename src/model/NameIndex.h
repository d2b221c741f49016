#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <vector>

class CDomainInfo;

// The document's records by name, letter case ignored, so that adding and
// finding a name needs no scan of the list. One flat table of record
// pointers rather than a node per name: emptying it, or building it again
// after a bulk delete, costs one allocation instead of one per record.
// The records' names must not change while they are in it.
class CNameIndex
{
public:
    // What a name finds: how many records hold it (names repeat only in
    // files written elsewhere) and one of them.
    struct CMatch
    {
        CDomainInfo* m_pRecord = nullptr;
        int m_nCount = 0;
    };

    void Clear();
    // Room for count records without growing.
    void Reserve(size_t count);
    void Add(CDomainInfo* record);
    void Remove(const CDomainInfo* record);
    CMatch Find(QByteArrayView name) const;
    size_t GetSize() const { return m_nSize; }

private:
    struct CSlot
    {
        size_t m_nHash = 0;
        CDomainInfo* m_pRecord = nullptr;   // null: never used
    };

    size_t Mask() const { return m_slots.size() - 1; }
    bool IsRemoved(const CSlot& slot) const;
    void Grow(size_t count);
    void Put(size_t hash, CDomainInfo* record);

    std::vector<CSlot> m_slots;   // a power of two long, or empty
    size_t m_nSize = 0;
    size_t m_nUsed = 0;           // slots taken, removed ones too
};
