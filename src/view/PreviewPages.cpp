#include "view/PreviewPages.h"

#include "print/ListPrinter.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int kMargin = 12;     // around and between the sheets, in pixels
constexpr int kShadow = 3;

}

CPreviewPages::CPreviewPages(const CListPrinter& printer, const QSizeF& paper, const QPointF& printable, QWidget* parent)
    : QWidget(parent), m_printer(printer), m_paper(paper.width() > 0 && paper.height() > 0 ? paper : QSizeF(1, 1)),
      m_printable(printable)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

int CPreviewPages::PageCount() const
{
    return m_printer.PageCount();
}

void CPreviewPages::SetCurrentPage(int page)
{
    page = std::clamp(page, 1, PageCount());
    if (page != m_nPage) {
        m_nPage = page;
        OnViewChanged();
    }
}

void CPreviewPages::SetTwoPages(bool two)
{
    if (two != m_bTwoPages) {
        m_bTwoPages = two;
        OnViewChanged();
    }
}

void CPreviewPages::SetZoom(int zoom)
{
    zoom = std::clamp(zoom, 0, kMaxZoom);
    if (zoom != m_nZoom) {
        m_nZoom = zoom;
        OnViewChanged();
    }
}

void CPreviewPages::OnViewChanged()
{
    if (m_nZoom > 0)
        resize(ZoomedSize());
    update();
    Q_EMIT ViewChanged();
}

int CPreviewPages::SheetsShown() const
{
    return m_bTwoPages && m_nPage < PageCount() ? 2 : 1;
}

double CPreviewPages::Scale() const
{
    const int sheets = m_bTwoPages ? 2 : 1;
    if (m_nZoom > 0)
        return m_nZoom * double(logicalDpiX()) / CPageFrame::kTwipsPerInch;
    const double w = double(width() - (sheets + 1) * kMargin) / (sheets * m_paper.width());
    const double h = double(height() - 2 * kMargin) / m_paper.height();
    return std::max(std::min(w, h), 0.0);
}

QSize CPreviewPages::ZoomedSize() const
{
    const int sheets = m_bTwoPages ? 2 : 1;
    const double scale = std::max(m_nZoom, 1) * double(logicalDpiX()) / CPageFrame::kTwipsPerInch;
    return QSize(int(sheets * m_paper.width() * scale) + (sheets + 1) * kMargin,
                 int(m_paper.height() * scale) + 2 * kMargin);
}

QRectF CPreviewPages::SheetRect(int slot, double scale) const
{
    // The sheets are centred as a group.
    const int sheets = m_bTwoPages ? 2 : 1;
    const QSizeF sheet = m_paper * scale;
    const double groupWidth = sheets * sheet.width() + (sheets - 1) * kMargin;
    const double left = std::max((width() - groupWidth) / 2, double(kMargin));
    const double top = std::max((height() - sheet.height()) / 2, double(kMargin));
    return QRectF(QPointF(left + slot * (sheet.width() + kMargin), top), sheet);
}

void CPreviewPages::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const double scale = Scale();
    if (scale <= 0)
        return;
    for (int slot = 0; slot < SheetsShown(); ++slot)
        DrawSheet(painter, SheetRect(slot, scale), scale, m_nPage + slot);
}

void CPreviewPages::DrawSheet(QPainter& painter, const QRectF& sheet, double scale, int page)
{
    painter.fillRect(sheet.translated(kShadow, kShadow), palette().color(QPalette::Shadow));
    painter.fillRect(sheet, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(sheet);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(sheet.topLeft() + m_printable * scale);
    painter.scale(scale, scale);
    const CPageFrame& frame = m_printer.Frame();
    painter.setClipRect(QRectF(0, 0, frame.m_nRight - frame.m_nLeft, frame.m_nTop - frame.m_nBottom));
    m_printer.DrawPage(painter, page);
    painter.restore();
    m_pagesDrawn.push_back(page);
}

void CPreviewPages::keyPressEvent(QKeyEvent* event)
{
    const int step = m_bTwoPages ? 2 : 1;
    switch (event->key()) {
    case Qt::Key_PageDown:
        SetCurrentPage(m_nPage + step);
        break;
    case Qt::Key_PageUp:
        SetCurrentPage(m_nPage - step);
        break;
    case Qt::Key_Home:
        SetCurrentPage(1);
        break;
    case Qt::Key_End:
        SetCurrentPage(PageCount());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CPreviewPages::wheelEvent(QWheelEvent* event)
{
    // Whole pages turn with the wheel; zoomed ones scroll instead.
    if (m_nZoom > 0 || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    SetCurrentPage(m_nPage + (event->angleDelta().y() < 0 ? 1 : -1));
    event->accept();
}
