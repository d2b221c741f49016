#pragma once

#include <QTreeView>

#include <vector>

class CBigListModel;
class CDomainPadList;

// A long list of plain names, numbered: the window of a CDomainPadList,
// which owns the names and outlives it. Rows are virtual (only visible ones
// are ever formatted) and follow the names' item count, which whoever
// changes the names sets afterwards. The Domain Pad shows its names in one.
class CBigList : public QTreeView
{
    Q_OBJECT

public:
    explicit CBigList(CDomainPadList* names, QWidget* parent = nullptr);
    ~CBigList() override;

    CDomainPadList* GetList() const { return m_pNames; }
    // The rows shown.
    int GetItemCount() const;
    // The selected rows, in list order.
    std::vector<int> GetSelectedRows() const;

    // Row of the highlighted entry, or -1.
    int GetHighlightedItem() const { return m_nHighlightedItem; }

protected:
    // Typing does not search the list.
    void keyboardSearch(const QString&) override {}
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    CDomainPadList* m_pNames;
    CBigListModel* m_pModel;
    int m_nHighlightedItem = -1;
};
