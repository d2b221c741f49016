#pragma once

#include <QDialog>

class QLabel;

// "About Telvaro": the program's name, version and what it is for.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* TitleLabel() const { return m_pTitle; }
    QLabel* VersionLabel() const { return m_pVersion; }

private:
    QLabel* m_pTitle;
    QLabel* m_pVersion;
};
