#include "print/ListPrinter.h"

#include "base/Settings.h"
#include "model/DomainDoc.h"
#include "print/CellFont.h"
#include "print/PrintTexts.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kHeaderFontHeight = 200;
constexpr int kTitleFontHeight = 340;
constexpr int kLineFontHeight = 240;
constexpr int kRuleWidth = 2;
// Room kept between a status and the time of check that follows it.
constexpr int kColumnGap = 240;

int CellHeight(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return int(std::lround(metrics.ascent() + metrics.descent()));
}

QFontMetricsF Metrics(const QPainter& painter)
{
    return QFontMetricsF(painter.font(), painter.device());
}

// Text drawn with its cell's top left at (x, y), y measured upwards.
void TextAt(QPainter& painter, double x, int y, const QString& text)
{
    painter.drawText(QPointF(x, -y + Metrics(painter).ascent()), text);
}

// Text that ends at right.
void TextEndingAt(QPainter& painter, int right, int y, const QString& text)
{
    TextAt(painter, right - Metrics(painter).horizontalAdvance(text), y, text);
}

void Rule(QPainter& painter, int x0, int x1, int y)
{
    // Never thinner than a pixel of the device, or a preview on the screen
    // would show the rules hardly at all.
    const double pixel = 1.0 / std::max(std::abs(painter.deviceTransform().m22()), 1e-6);
    QPen pen(Qt::black, std::max(double(kRuleWidth), pixel), Qt::SolidLine, Qt::FlatCap);
    pen.setCosmetic(false);
    painter.setPen(pen);
    painter.drawLine(QPointF(x0, -y), QPointF(x1, -y));
}

// The previous font and pen come back when a block of the page is done.
class CPainterState
{
public:
    explicit CPainterState(QPainter& painter) : m_painter(painter) { m_painter.save(); }
    ~CPainterState() { m_painter.restore(); }
    CPainterState(const CPainterState&) = delete;
    CPainterState& operator=(const CPainterState&) = delete;

private:
    QPainter& m_painter;
};

}

CListPrinter::CListPrinter(const CDomainDoc& doc, const CPageFrame& frame, int printLines, const QDate& today)
    : m_doc(doc), m_frame(frame), m_today(today),
      m_headerFont(MakeCellFont(QStringLiteral("Arial"), kHeaderFontHeight, 400)),
      m_titleFont(MakeCellFont(QStringLiteral("Arial"), kTitleFontHeight, 800)),
      m_lineFont(MakeCellFont(QStringLiteral("Arial"), kLineFontHeight, 400)),
      m_nHeaderHeight(CellHeight(m_headerFont)), m_nTitleHeight(CellHeight(m_titleFont)),
      m_nLineHeight(CellHeight(m_lineFont))
{
    m_nLinesPerPage = std::min(std::max(printLines, 1), LinesThatFit());
}

int CListPrinter::PrintLinesSetting()
{
    // A value below 1 typed into the settings file would divide by zero.
    return std::max(Settings::PrintLines.Get(), 1);
}

int CListPrinter::PageCount() const
{
    const int count = m_doc.GetCount();
    return std::max(1, (count + m_nLinesPerPage - 1) / m_nLinesPerPage);
}

int CListPrinter::FirstLineY() const
{
    const int titleY = m_frame.m_nTop - m_nTitleHeight - 1080;
    return titleY - 2 * m_nTitleHeight;
}

int CListPrinter::LineStep() const
{
    return (-3 * m_nLineHeight) / 2;
}

int CListPrinter::LinesThatFit() const
{
    // The first line is always drawn; each further one while it stays above
    // the limit.
    const int limit = m_frame.m_nBottom - m_frame.m_nTop + 720 + m_nTitleHeight;
    const int step = LineStep();
    int lines = 1;
    for (int y = FirstLineY() + step; y >= limit && step < 0; y += step)
        ++lines;
    return lines;
}

void CListPrinter::DrawPage(QPainter& painter, int page) const
{
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    DrawHeader(painter);
    DrawLines(painter, page);
    DrawFooter(painter, page);
}

void CListPrinter::DrawHeader(QPainter& painter) const
{
    const CPainterState state(painter);
    painter.setFont(m_headerFont);
    const int h = m_nHeaderHeight;
    const int y = m_frame.m_nTop + 2 * h - 1080;
    TextAt(painter, m_frame.X0(), y, QString::fromLatin1(kTitle));
    TextEndingAt(painter, m_frame.RightX(), y, PrintedDateText(m_today));
    Rule(painter, m_frame.X0(), m_frame.RightX(), y - h);
}

void CListPrinter::DrawLines(QPainter& painter, int page) const
{
    const CPainterState state(painter);
    painter.setFont(m_titleFont);
    const int titleY = m_frame.m_nTop - m_nTitleHeight - 1080;
    TextAt(painter, m_frame.X0(), titleY, QStringLiteral("Domain Names"));
    TextAt(painter, m_frame.StatusX(), titleY, QStringLiteral("Status"));
    TextEndingAt(painter, m_frame.RightX(), titleY, QStringLiteral("Checked On"));

    painter.setFont(m_lineFont);
    const QFontMetricsF metrics = Metrics(painter);
    const qint64 first = qint64(m_nLinesPerPage) * (page - 1);
    const qint64 last = std::min<qint64>(first + m_nLinesPerPage, m_doc.GetCount());
    int y = FirstLineY();
    for (qint64 i = std::max<qint64>(first, 0); i < last; ++i) {
        const CDomainInfo& record = *m_doc.GetAt(int(i));
        const QString checked = PrintedCheckedText(record);
        // A status never runs into the time of check, however long the
        // address a server gave.
        const double room = m_frame.RightX() - metrics.horizontalAdvance(checked) - kColumnGap - m_frame.StatusX();
        const QString status = metrics.elidedText(PrintedStatusText(record), Qt::ElideRight, std::max(room, 0.0));
        TextAt(painter, m_frame.X0(), y, PrintedLineText(int(i), record));
        TextAt(painter, m_frame.StatusX(), y, status);
        TextEndingAt(painter, m_frame.RightX(), y, checked);
        y += LineStep();
    }
}

void CListPrinter::DrawFooter(QPainter& painter, int page) const
{
    const CPainterState state(painter);
    painter.setFont(m_headerFont);
    const QString notice = QString::fromLatin1(kNotice);
    const int h = m_nHeaderHeight;
    const int y = m_frame.m_nBottom - m_frame.m_nTop - 2 * h + 720;
    TextAt(painter, m_frame.X0() + (m_frame.UsableWidth() - Metrics(painter).horizontalAdvance(notice)) / 2, y, notice);
    TextEndingAt(painter, m_frame.RightX(), y, PrintedPageText(page));
    Rule(painter, m_frame.X0(), m_frame.RightX(), y + h / 10);
}
