#pragma once

#include "base/TextCompare.h"

#include <QByteArray>
#include <QList>
#include <QTreeView>

#include <unordered_set>

class CArchive;
class CBigListModel;

// A long list of plain names that owns its strings, in display order, and
// refuses duplicates (letter case ignored). Rows are virtual: only visible
// ones are ever formatted. Whoever changes the names sets the item count
// afterwards. The Domain Pad's list builds on it.
class CBigList : public QTreeView
{
    Q_OBJECT

public:
    // The archive counts names in 16 bits.
    static constexpr int kMaxNames = 65535;

    explicit CBigList(QWidget* parent = nullptr);
    ~CBigList() override;

    const QList<QByteArray>& GetNames() const { return m_arrNames; }
    // Appends name unless one equal to it without regard to case is there
    // (or the list is full); true when appended. The rows shown do not
    // change until SetItemCount.
    bool InsertName(QByteArrayView name);
    // Replaces every name (after sorting or deleting); duplicates are kept
    // out. The rows shown do not change until SetItemCount.
    void SetNames(const QList<QByteArray>& names);
    void SetItemCount(int count);
    int GetItemCount() const;

    // A 16-bit count, then the names as archive strings. Loading replaces
    // the names and sets the item count, also when the archive breaks off
    // (the names before the damage stay; the exception goes on).
    void Serialize(CArchive& ar);

    // Row of the highlighted entry, or -1.
    int GetHighlightedItem() const { return m_nHighlightedItem; }

protected:
    // Typing does not search the list.
    void keyboardSearch(const QString&) override {}
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void RebuildIndex();

    QList<QByteArray> m_arrNames;
    std::unordered_set<QByteArray, NoCaseHash, NoCaseEqual> m_index;
    CBigListModel* m_pModel;
    int m_nHighlightedItem = -1;
};
