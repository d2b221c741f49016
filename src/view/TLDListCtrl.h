#pragma once

#include "view/DomainListCtrl.h"

// The TLD list of the TLD setup dialog: the main list's painter and font
// with its own reactions. Clicks only select, the right button does
// nothing, a click on the "TLD" or "Server" header sorts the TLD table and
// asks the dialog to reopen the list, and every selection change is passed
// on to the dialog.
class CTLDListCtrl : public CDomainListCtrl
{
    Q_OBJECT

public:
    explicit CTLDListCtrl(QWidget* parent = nullptr);

Q_SIGNALS:
    // The TLD table was sorted; the dialog refills the list. Receivers
    // connect queued, as the message was posted.
    void TLDReopen();
    // The selected row changed.
    void TLDSelChange();

protected:
    void OnLeftButtonDown(QMouseEvent* event) override;
    void OnRightButtonDown(QMouseEvent* event) override;
    void OnColumnClick(int column) override;
    void OnItemChanged() override;
    bool WantsContextMenu() const override { return false; }
};
