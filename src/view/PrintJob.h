#pragma once

#include "base/Result.h"

class CDomainDoc;
class QPrinter;
class QWidget;

// Prints doc on printer as the print dialog set it up, with "Print Lines"
// read now. A progress window shows when the job takes a while; its Cancel
// aborts the job, which is no failure.
CResult PrintDocument(QPrinter& printer, const CDomainDoc& doc, QWidget* parent);
