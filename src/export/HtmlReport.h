#pragma once

#include "export/ExportScope.h"
#include "export/ExportTarget.h"

class CDomainDoc;

// The product page the report's heading links to.
inline constexpr char kProductPageURL[] = "https://telvaro.org/";

// Writes the HTML status report of the records in scope, in list order: the
// full report shows the cleaned whois text of every taken name, the summary
// one word. 8-bit text with CR LF line breaks; names and whois texts are
// escaped. The count is the number of rows.
CExportResult WriteHtmlReport(const CDomainDoc& doc, const CExportTarget& target, bool bSummary,
                              ExportScope scope = ExportScope::Marked);
