#include "view/PrintJob.h"

#include "print/ListPrinter.h"
#include "print/PrintPages.h"
#include "view/PrintOrder.h"

#include <QDate>
#include <QPrinter>
#include <QProgressDialog>

CResult PrintDocument(QPrinter& printer, const CDomainDoc& doc, QWidget* parent)
{
    const CListPrinter list(doc, CPageFrame::ForDevice(printer), CListPrinter::PrintLinesSetting(), QDate::currentDate());
    const std::vector<int> pages = PagesToPrint(printer, list.PageCount());
    if (pages.empty())
        return CResult::Ok();
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, int(pages.size()), parent);
    progress.setWindowTitle(QStringLiteral("Telvaro"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    return PrintPages(printer, list, pages, [&](int done) {
        progress.setValue(done);
        if (!progress.wasCanceled())
            return true;
        printer.abort();
        return false;
    });
}
