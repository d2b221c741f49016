#include "view/InfoPane.h"

#include "view/ViewFonts.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

namespace {

QString ForDisplay(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

}

CInfoPane::CInfoPane(QWidget* parent) : QPlainTextEdit(parent)
{
    setFont(ArialFont(16, QFont::Light));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
}

bool CInfoPane::SetPaneText(const QString& text)
{
    const QString shown = ForDisplay(text);
    if (shown == m_strShown)
        return false;
    m_strShown = shown;
    setPlainText(shown);
    return true;
}

qsizetype CInfoPane::FindTermsPosition(const QString& text)
{
    const qsizetype a = text.indexOf(QLatin1String("you agree to abide by this policy"));
    const qsizetype b = text.indexOf(QLatin1String("you agree to these terms"));
    if (b >= 0 && (a < 0 || a < b))
        return b;
    return a;
}

void CInfoPane::ShowRecord(const QByteArray& whois)
{
    if (!SetPaneText(QString::fromLatin1(whois)))
        return;
    const qsizetype target = FindTermsPosition(m_strShown);
    if (target < 0)
        return;
    const int line = document()->findBlock(int(target)).blockNumber();
    verticalScrollBar()->setValue(line);
}

int CInfoPane::FirstVisibleLine() const
{
    return verticalScrollBar()->value();
}

bool CInfoPane::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && textCursor().hasSelection()) {
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}
