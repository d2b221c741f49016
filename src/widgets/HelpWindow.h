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
    static constexpr char kAddingNamesTopic[] = "adding-names.htm";

    explicit CHelpWindow(QWidget* parent = nullptr);

    // Makes F1 in dialog show page in a help window of the dialog's own: a
    // modal dialog blocks every window but its own, the main window's help
    // among them.
    static void AddHelpKey(QDialog* dialog, const QString& page);

    // Shows page (a file name among the help pages; empty: the default topic).
    void ShowTopic(const QString& page = {});
    // The file name of the page shown.
    QString CurrentTopic() const;
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};
