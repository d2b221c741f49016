#pragma once

#include "export/ExportScope.h"
#include "export/ExportTarget.h"

class CDomainDoc;

// Writes the records in scope as CSV (RFC 4180): UTF-8, CR LF after every
// record, the header name,status,status_text,checked,whois,confirmed,dns, the
// date as ISO 8601 or empty, confirmed true, false or empty. Fields holding a comma, a quote or a line break are quoted.
CExportResult WriteCsvExport(const CDomainDoc& doc, const CExportTarget& target,
                             ExportScope scope = ExportScope::Marked);
