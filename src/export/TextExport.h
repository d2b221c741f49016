#pragma once

#include "export/ExportScope.h"
#include "export/ExportTarget.h"

class CDomainDoc;

enum class TextExportKind
{
    // "1, example.com, Not Available" for each record in scope.
    NamesWithStatus,
    // "1, example.com" for each free name (status 3), ticked or not; the
    // scope does not apply.
    FreeNames,
};

// Writes one numbered CR LF line per chosen record, in list order. The
// count is the number of lines, for "%d records added to %s".
CExportResult WriteTextExport(const CDomainDoc& doc, const CExportTarget& target, TextExportKind kind,
                              ExportScope scope = ExportScope::Marked);
