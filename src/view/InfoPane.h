#pragma once

#include <QByteArray>
#include <QPlainTextEdit>

// The information pane under the list: the whois record of the highlighted
// entry, or a short instruction. Read-only, not wrapped, with both scroll
// bars. Its text is replaced only when it differs, so showing the same
// record again keeps the user's scroll position.
class CInfoPane : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CInfoPane(QWidget* parent = nullptr);

    // Shows text (CR LF line ends allowed); false when it was shown already.
    bool SetPaneText(const QString& text);
    // Shows a whois record and, when it is new, scrolls its terms of use
    // to the top of the pane: past the registry's boilerplate, which comes
    // before them.
    void ShowRecord(const QByteArray& whois);
    QString GetPaneText() const { return m_strShown; }

    // Position of the character to scroll to in text: the later of the two
    // terms-of-use phrases, or -1 when text holds neither.
    static qsizetype FindTermsPosition(const QString& text);
    // First visible line.
    int FirstVisibleLine() const;

protected:
    // The copy key copies the text selected here, before the window's
    // Copy All Entries can take it.
    bool event(QEvent* event) override;

private:
    QString m_strShown;
};
