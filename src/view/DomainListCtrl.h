#pragma once

#include <QPointer>
#include <QTreeView>

#include <memory>
#include <vector>

#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"

class QMenu;

// The main window's report list of domain records: a check box in front of
// each row, one selection bar across all columns, striped rows and a bold
// font. A click on a check box toggles the record's mark without moving the
// selection; a click on a column header sorts the document by that column;
// the right button opens the list's context menu. The highlighted entry is
// the selected row; every change of it asks for Show Info.
class CDomainListCtrl : public QTreeView
{
    Q_OBJECT

public:
    explicit CDomainListCtrl(QWidget* parent = nullptr);
    ~CDomainListCtrl() override;

    // Follows the model's removals and resets to keep the highlight valid.
    void setModel(QAbstractItemModel* model) override;

    // The document that check-box and column clicks act on; none in lists
    // that show something else.
    void SetDocument(CDomainDoc* doc) { m_pDoc = doc; }
    // Where the context menu's commands live.
    void SetCommandRegistry(CCommandRegistry* registry) { m_pRegistry = registry; }

    // Row of the highlighted entry, or -1; callers check it against the
    // current row count.
    int GetHighlightedItem() const { return m_nHighlightedItem; }
    // Selects row (scrolled into view) and makes it the highlighted entry;
    // -1 clears the highlight.
    void HighlightItem(int row);
    int GetItemCount() const;

    // Column widths from the list's width: 60 for the number, the rest
    // shared out so that the four columns fill all but 15 pixels. When the
    // largest row number needs more than 60, the number column takes it
    // from the name column; this is redone as rows come and go.
    void SetColumnWidths(int listWidth);

    // The context menu as it would open now (the list's menu of the menu
    // table): only registered commands, each enabled by its rule. The caller
    // owns the menu.
    std::unique_ptr<QMenu> BuildContextMenu();

Q_SIGNALS:
    // The highlighted entry changed or was clicked: refresh the information
    // pane. Receivers connect queued, as the command was posted.
    void ShowInfoRequested();
    // A context menu opened (for tests and the status bar).
    void ContextMenuShown(QMenu* menu);

protected:
    // Reactions that the TLD list replaces.
    virtual void OnLeftButtonDown(QMouseEvent* event);
    virtual void OnRightButtonDown(QMouseEvent* event);
    virtual void OnColumnClick(int column);
    virtual void OnItemChanged();
    virtual bool WantsContextMenu() const { return true; }

    // Toggles the mark of row through the model (the document marks itself
    // modified and redraws that row only).
    void ToggleMark(int row);
    bool IsOnCheckBox(const QPoint& pos, int* row) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    void OnRowsRemoved();
    void OnModelReset();
    void ApplyColumnWidths();
    // The number column's width for the current rows: check box and the
    // widest number of as many digits as the last row's.
    int NumberColumnWidth() const;

    QPointer<CDomainDoc> m_pDoc;
    QPointer<CCommandRegistry> m_pRegistry;
    int m_nHighlightedItem = -1;
    // The width last given to SetColumnWidths; -1 until then.
    int m_nListWidth = -1;
    // Row to highlight once removed rows are gone, when the highlighted row
    // was among them; -1 when none.
    int m_nReselectAfterRemoval = -1;
    bool m_bRemovingRows = false;
};
