#pragma once

#include "export/ExportResult.h"
#include "export/ExportScope.h"

#include <QString>

class CDomainDoc;

// The table that the database export writes and reads back.
inline constexpr char kDatabaseTable[] = "Domain Names";

// Writes the records in scope into the table "Domain Names" of the SQLite
// database at path: an existing file's table is updated (a name already
// there has its row rewritten, others get new rows), a missing file is
// created with the table and its index. All or nothing: on any failure the
// file is left as it was (a new one is removed) and the error says which
// step failed and why. The count is the rows written, rewritten or added.
CExportResult ExportToDatabase(const CDomainDoc& doc, const QString& path, ExportScope scope = ExportScope::Marked);
