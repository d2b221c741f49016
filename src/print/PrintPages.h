#pragma once

#include "base/Result.h"

#include <functional>
#include <span>

class CListPrinter;
class QPagedPaintDevice;

// Called after each page with the number of pages done; false stops the
// job (the caller cancels the device's job itself if it can).
using PrintProgress = std::function<bool(int pagesDone)>;

// Draws the given pages (numbers from 1, in the order given) onto device,
// one sheet each. Fails when the device cannot be painted on (a PDF file
// that cannot be written, a printer that refuses the job).
CResult PrintPages(QPagedPaintDevice& device, const CListPrinter& printer, std::span<const int> pages,
                   const PrintProgress& progress = {});
