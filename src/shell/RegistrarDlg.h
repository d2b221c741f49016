#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;

// "My Favorite Registrar!": asks for the registrar address of a TLD that
// has none yet. The caller sets m_strTLD, runs the dialog and reads
// m_strURL and m_bRemember after OK; OK also stores the "Remember" choice.
class CRegistrarDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr char kPrompt[] =
        "Please type in the URL to your favorite Registrar for the above TLD. You may type {D} wherever you want "
        "the domain name to be inserted.";

    explicit CRegistrarDlg(QWidget* parent = nullptr);

    void accept() override;

    QString m_strTLD;
    QString m_strURL;
    bool m_bRemember = true;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void OnOK();

    QLabel* m_pCaption;
    QLineEdit* m_pURL;
    QCheckBox* m_pRemember;
    bool m_bInitialised = false;
};
