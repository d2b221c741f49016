#pragma once

#include <QByteArray>
#include <QDialog>

#include <functional>
#include <memory>

class CTLDInfo;
class CTLDListCtrl;
class CTLDListModel;
class QLabel;
class QLineEdit;

// "Top Level Domains & WHOIS Servers": edits the live rows of the TLD table.
// A row is committed from the two boxes when another row is picked, and on
// Add, Delete, Import and Close; those changes stay in memory even when the
// dialog is left with Escape. Only Close saves the table. Sorting by a column
// and Reset close the dialog so that it opens again on the new table (see
// WantsReopen).
class CTLDSetupDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr char kHelpTopic[] = "tld-setup.htm";
    static constexpr char kHint[] =
        "Select a TLD from the list and make changes in the two boxes above (TLD and WHOIS Server).";
    static constexpr char kResetRefused[] =
        "A connection to a WHOIS server is progress. The TLDs can not be reset now. Please attempt to do this "
        "after stopping all connections";
    static constexpr char kResetQuestion[] =
        "This will remove all TLDs added by you and reset the list to the program defaults! Are you sure?";

    // isBusy: whether a lookup is in progress (Reset is refused then).
    explicit CTLDSetupDlg(std::function<bool()> isBusy, QWidget* parent = nullptr);
    ~CTLDSetupDlg() override;

    // True when the dialog closed only to open again on the changed table.
    bool WantsReopen() const { return m_bReopen; }

    // Writes the boxes into the row they were loaded from, then loads the
    // selected (else the highlighted) row into them.
    void CommitAndLoad();
    // Sets the server of the row for tld, or appends a row and selects it.
    void AddOrUpdateTLD(const QByteArray& tld, const QByteArray& server);
    // Imports "tld: whois server" lines as the import dialog's file gives them.
    void ImportText(const QByteArray& text);

    // Close, and Enter: commit, save, end with OK.
    void accept() override;

    CTLDListCtrl* ListCtrl() const { return m_lstTLDs; }

    // Texts of the two boxes, as last taken from or given to them.
    QByteArray m_strTLDText;
    QByteArray m_strServerText;
    // Row whose values are in the boxes; -1 when none.
    int m_nCurSel = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void SetColumnWidths();
    void UpdateData(bool bSaveAndValidate);
    // The first selected row, else the highlighted one; may be out of range.
    int TargetRow() const;
    void SelectRow(int row);
    void OnAddNewTLD();
    void OnDelete();
    void OnImport();
    void OnReset();
    void OnOK();
    void Reopen();

    CTLDListCtrl* m_lstTLDs = nullptr;
    CTLDListModel* m_pModel = nullptr;
    QLineEdit* m_pTLD = nullptr;
    QLineEdit* m_pServer = nullptr;
    QLabel* m_pHint = nullptr;
    // The row the boxes were loaded from, held so that the boxes are written
    // only to it: a row deleted or moved meanwhile is never mistaken for
    // another at its old place.
    std::shared_ptr<CTLDInfo> m_pCurRow;
    std::function<bool()> m_isBusy;
    bool m_bReopen = false;
};
