#pragma once

#include <QString>
#include <QWidget>

// The one-line hint under the information pane: an instruction followed by
// the list's counts in brackets. When the pane is too narrow for both, the
// instruction is shortened so that the counts stay in view; the whole line
// is the tooltip.
class CHintLine : public QWidget
{
    Q_OBJECT

public:
    explicit CHintLine(QWidget* parent = nullptr);

    // Sets the text; false when it was shown already.
    bool SetText(const QString& text);
    QString GetText() const { return m_strText; }
    // The line as it fits into width pixels.
    QString FittedText(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_strText;
};
