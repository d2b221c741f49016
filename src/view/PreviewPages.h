#pragma once

#include <QSizeF>
#include <QPointF>
#include <QWidget>

#include <vector>

class CListPrinter;

// The pages of a print preview: one or two sheets side by side, drawn only
// when they are shown, so the first page of a long list appears at once.
// Zoom 0 fits the sheets into the widget; 1 shows them at their real size
// on the screen, 2 at twice that (the widget then asks for that size, for
// a scroll area to hold).
class CPreviewPages : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMaxZoom = 2;

    // paper: the sheet in twips; printable: where the printer's drawing
    // area starts on it. printer must outlive the widget.
    CPreviewPages(const CListPrinter& printer, const QSizeF& paper, const QPointF& printable, QWidget* parent = nullptr);

    int PageCount() const;
    // The first page shown, from 1.
    int CurrentPage() const { return m_nPage; }
    void SetCurrentPage(int page);
    bool IsTwoPages() const { return m_bTwoPages; }
    void SetTwoPages(bool two);
    int Zoom() const { return m_nZoom; }
    void SetZoom(int zoom);
    // The size the sheets need at the current zoom above 0.
    QSize ZoomedSize() const;

    // Every page drawn so far, in the order drawn.
    const std::vector<int>& PagesDrawn() const { return m_pagesDrawn; }

Q_SIGNALS:
    // The page shown, the page mode or the zoom changed.
    void ViewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnViewChanged();
    int SheetsShown() const;
    // Pixels per twip.
    double Scale() const;
    QRectF SheetRect(int slot, double scale) const;
    void DrawSheet(QPainter& painter, const QRectF& sheet, double scale, int page);

    const CListPrinter& m_printer;
    QSizeF m_paper;
    QPointF m_printable;
    int m_nPage = 1;
    bool m_bTwoPages = false;
    int m_nZoom = 0;
    std::vector<int> m_pagesDrawn;
};
