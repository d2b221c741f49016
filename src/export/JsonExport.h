#pragma once

#include "export/ExportScope.h"
#include "export/ExportTarget.h"

class CDomainDoc;

// Writes the records in scope as one JSON array of the objects of
// AppendDomainRecordJson, one object per line.
CExportResult WriteJsonExport(const CDomainDoc& doc, const CExportTarget& target,
                              ExportScope scope = ExportScope::Marked);
