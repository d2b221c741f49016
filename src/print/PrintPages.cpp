#include "print/PrintPages.h"

#include "print/ListPrinter.h"

#include <QPagedPaintDevice>
#include <QPainter>

CResult PrintPages(QPagedPaintDevice& device, const CListPrinter& printer, std::span<const int> pages,
                   const PrintProgress& progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return CResult::Failed(QStringLiteral("The pages could not be printed: the printer or file did not accept them."));
    int done = 0;
    for (const int page : pages) {
        if (done > 0 && !device.newPage()) {
            painter.end();
            return CResult::Failed(QStringLiteral("Printing stopped after %1 of %2 pages.").arg(done).arg(pages.size()));
        }
        painter.save();
        CPageFrame::ScaleToTwips(painter, device);
        printer.DrawPage(painter, page);
        painter.restore();
        ++done;
        if (progress && !progress(done)) {
            // Stopped on request: whatever the device makes of the rest.
            painter.end();
            return CResult::Ok();
        }
    }
    if (!painter.end())
        return CResult::Failed(QStringLiteral("The pages could not be printed: the printer or file did not take the last of them."));
    return CResult::Ok();
}
