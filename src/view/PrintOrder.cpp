#include "view/PrintOrder.h"

#include <QPrinter>

#include <algorithm>

std::vector<int> PagesToPrint(const QPrinter& printer, int pageCount)
{
    int first = 1;
    int last = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        if (printer.toPage() > 0)
            last = std::min(last, printer.toPage());
    }
    std::vector<int> range;
    for (int page = first; page <= last; ++page)
        range.push_back(page);
    // The application, not the printer, decides the order.
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(range.begin(), range.end());

    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    std::vector<int> pages;
    pages.reserve(range.size() * size_t(copies));
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy)
            pages.insert(pages.end(), range.begin(), range.end());
    } else {
        for (const int page : range)
            pages.insert(pages.end(), size_t(copies), page);
    }
    return pages;
}
