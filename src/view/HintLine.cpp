#include "view/HintLine.h"

#include "view/ViewFonts.h"

#include <QPainter>

CHintLine::CHintLine(QWidget* parent) : QWidget(parent)
{
    setFont(ArialFont(15, QFont::Bold));
}

bool CHintLine::SetText(const QString& text)
{
    if (text == m_strText)
        return false;
    m_strText = text;
    setToolTip(text);
    update();
    return true;
}

QString CHintLine::FittedText(int width) const
{
    const QFontMetrics fm(font());
    if (fm.horizontalAdvance(m_strText) <= width)
        return m_strText;
    const qsizetype counts = m_strText.lastIndexOf(QLatin1Char('['));
    if (counts <= 0)
        return fm.elidedText(m_strText, Qt::ElideRight, width);
    const QString tail = m_strText.mid(counts);
    const int room = width - fm.horizontalAdvance(QLatin1Char(' ') + tail);
    if (room <= fm.horizontalAdvance(QStringLiteral("...")))
        return fm.elidedText(tail, Qt::ElideRight, width);
    return fm.elidedText(m_strText.left(counts).trimmed(), Qt::ElideRight, room) + QLatin1Char(' ') + tail;
}

void CHintLine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FittedText(width()));
}
