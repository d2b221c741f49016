#pragma once

#include <QByteArray>
#include <QDialog>
#include <QFont>
#include <QString>

class QPlainTextEdit;

// "Import WHOIS Servers": explains the "tld: whois server" format, then lets
// the user pick the text file. The dialog ends with OK whenever the import
// button was pressed, also when no file was chosen or it could not be read;
// the caller imports whatever m_strFileText holds.
class CImportWhoisDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CImportWhoisDlg(QWidget* parent = nullptr);

    // The import button, and Enter.
    void accept() override;

    // The explanation, with CR LF line breaks.
    QString m_strExplanation;
    QFont m_font;
    // The whole chosen file; empty until one was read.
    QByteArray m_strFileText;

private:
    void OnInitDialog();
    void OnOK();

    QPlainTextEdit* m_pExplanation = nullptr;
};
