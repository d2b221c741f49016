#pragma once

#include <QDialog>

class QTextBrowser;

// Telvaro's help: the HTML pages bundled with the program in a browser with
// Back, Forward and Contents. One window, raised again when asked for.
class CHelpWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr char kDefaultTopic[] = "index.htm";

    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows page (a file name among the help pages; empty: the default topic).
    void ShowTopic(const QString& page = {});
    // The file name of the page shown.
    QString CurrentTopic() const;
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};
