#pragma once

#include <vector>

class QPrinter;

// The pages a print job draws, in order, as the print dialog left printer:
// its page range (within 1 to pageCount), its page order, and the copies
// that the printer cannot make by itself.
std::vector<int> PagesToPrint(const QPrinter& printer, int pageCount);
