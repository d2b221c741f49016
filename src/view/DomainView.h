#pragma once

#include "commands/CommandId.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class CCommandRegistry;
class CDomainDoc;
class CDomainInfo;
class CDomainListCtrl;
class CDomainListModel;
class CDomainPadList;
class CHintLine;
class CInfoPane;
class CLookupScheduler;
class CPictureButton;

// The main window's only view of the document: the domain list, the whois
// record of the highlighted entry, a one-line hint and two picture buttons,
// each in a sunken frame. It keeps the list in step with the document's
// update hints, owns the lookup scheduler, and joins the list, lookup and
// sort commands to the command registry.
//
// The frame creates it with the document (which must outlive it) and the
// registry, makes it the central widget, and may hook the scheduler to the desktop
// (GetScheduler()->SetHost). Commands of other parts of the program that
// act on the highlighted entry ask GetHighlightedIndex().
class CDomainView : public QWidget
{
    Q_OBJECT

public:
    // Fixed texts of the information pane.
    static const QString kStartText;
    static const QString kChooseText;
    static const QString kNoInfoText;

    CDomainView(CDomainDoc* doc, CCommandRegistry* registry, QWidget* parent = nullptr);
    // Stops every lookup and waits until none runs.
    ~CDomainView() override;

    CDomainDoc* GetDocument() const { return m_pDoc; }
    CDomainListCtrl* GetListCtrl() const { return m_pList; }
    CInfoPane* GetInfoPane() const { return m_pInfo; }
    CHintLine* GetHintLine() const { return m_pHint; }
    CLookupScheduler* GetScheduler() const { return m_pScheduler.get(); }
    CPictureButton* GetSupportButton() const { return m_pSupport; }
    CPictureButton* GetRegisterButton() const { return m_pRegister; }

    // The highlighted entry's row, or -1 when there is none (or it lies
    // beyond the list's current rows).
    int GetHighlightedIndex() const;
    CDomainInfo* GetHighlightedEntry() const;

    // After a new document: rebuild the list as for a rebuilt list.
    void OnInitialUpdate();
    // The document's change notices.
    void OnListRebuilt();
    void OnAllRowsChanged();
    void OnRowChanged(int index);
    void OnRowRemoved(int index);
    // Command Show Info: the highlighted entry's whois record, or the
    // instruction that fits.
    void OnShowInfo();
    // After the Options dialog's OK: connection limit and timer period,
    // entry limit and cleanup flag, from the settings just stored.
    void ApplyOptions();
    // After File New: the new document's cleanup choice.
    void OnNewDocument();
    // The Domain Pad's names, which the copy-to-pad commands add to; pad
    // must outlive the view. Until then those commands do not exist.
    void AttachDomainPad(CDomainPadList* pad);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RegisterCommands();
    void LayOutPanes();
    void PostShowInfo();
    void RefreshHint();
    void BindPictureButton(CPictureButton* button, CommandId id);

    CDomainDoc* m_pDoc;
    QPointer<CCommandRegistry> m_pRegistry;
    CDomainListModel* m_pModel;
    CDomainListCtrl* m_pList;
    CInfoPane* m_pInfo;
    CHintLine* m_pHint;
    CPictureButton* m_pSupport;
    CPictureButton* m_pRegister;
    std::unique_ptr<CLookupScheduler> m_pScheduler;
    // The record last highlighted, so the highlight can follow it when the
    // list is reordered. Used as a key only, never dereferenced.
    const CDomainInfo* m_pHighlightedRecord = nullptr;
    // Many document changes in a row refresh the hint line once.
    QTimer m_hintRefresh;
    bool m_bShowInfoPosted = false;
    // Commands this view answers; they are disabled when it goes.
    std::vector<CommandId> m_registeredIds;
};
