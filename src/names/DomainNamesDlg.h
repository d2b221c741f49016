#pragma once

#include <QByteArray>
#include <QDialog>

class CTLDCheckListBox;
class QPlainTextEdit;

// "Domain Names": the user types or imports names and ticks the TLDs that
// bare names are combined with. OK stores the ticks in the TLD table; the
// caller reads m_strNames afterwards.
class CDomainNamesDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kNoNamesMessage = "Please type in the domain names you wish to check.";

    explicit CDomainNamesDlg(QWidget* parent = nullptr);

    // Puts the whole file into the names box, replacing its text. When the
    // file cannot be read, the box keeps its text and the user is told why.
    bool ImportFile(const QString& path);

    // Every way of accepting (button, Enter) goes through the checks of OnOK.
    void accept() override;

    // The names box's text, taken when OK is pressed.
    QByteArray m_strNames;

private:
    void OnInitDialog();
    void OnImportFromFile();
    void OnOK();
    void UpdateData(bool bSaveAndValidate);

    QPlainTextEdit* m_pNames = nullptr;
    CTLDCheckListBox* m_lstTLD = nullptr;
};
