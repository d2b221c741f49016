#pragma once

#include "base/TextCompare.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QObject>

#include <unordered_set>
#include <vector>

class CArchive;

// The names of the Domain Pad, in display order, without the window that
// shows them: the frame keeps it for the whole run, the pad's list shows
// it, and the view and the pad's own commands change it. Duplicates are
// refused without regard to letter case, through an index rather than a
// scan, so that copying a whole list in stays linear.
//
// As with the list control it stood for, the rows shown are not the names
// themselves but an item count that whoever changes the names sets
// afterwards; ItemCountChanged tells the list widget.
class CDomainPadList : public QObject
{
    Q_OBJECT

public:
    // The archive counts names in 16 bits.
    static constexpr int kMaxNames = 65535;

    explicit CDomainPadList(QObject* parent = nullptr);
    ~CDomainPadList() override;

    const QByteArrayList& GetNames() const { return m_arrNames; }
    int GetSize() const { return int(m_arrNames.size()); }

    // Appends name unless one equal to it without regard to case is there
    // (or the pad is full); true when appended. The rows shown do not
    // change until SetItemCount.
    bool InsertName(QByteArrayView name);
    // Replaces every name; duplicates are kept out. The rows shown do not
    // change until SetItemCount.
    void SetNames(const QByteArrayList& names);

    void SetItemCount(int count);
    int GetItemCount() const { return m_nItemCount; }
    // SetItemCount with the number of names.
    void UpdateItemCount() { SetItemCount(GetSize()); }

    // Sorts the names without regard to case (equal ones keep their order)
    // and shows them.
    void SortNames();
    // Removes the names at rows (any order; rows outside the list are
    // ignored) and shows what is left. Returns how many went.
    int DeleteRows(std::vector<int> rows);
    // The names at rows, in list order.
    QByteArrayList NamesAt(std::vector<int> rows) const;

    // A 16-bit count, then the names as archive strings. Loading replaces
    // the names and sets the item count, also when the archive breaks off
    // (the names before the damage stay; the exception goes on).
    void Serialize(CArchive& ar);
    void Store(CArchive& ar) const;
    void Load(CArchive& ar);

Q_SIGNALS:
    // The rows to show: the item count was set (perhaps to the same
    // number, with other names in those rows).
    void ItemCountChanged(int count);

private:
    void RebuildIndex();
    // rows sorted, without repeats and without rows outside the list.
    std::vector<int> ValidRows(std::vector<int> rows) const;

    QByteArrayList m_arrNames;
    std::unordered_set<QByteArray, NoCaseHash, NoCaseEqual> m_index;
    int m_nItemCount = 0;
};
