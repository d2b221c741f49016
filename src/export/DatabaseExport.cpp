#include "export/DatabaseExport.h"

#include "export/DatabaseFile.h"
#include "export/ExportDate.h"
#include "model/DomainDoc.h"

namespace {

bool CreateExportTable(CDatabaseFile& db, const QString& path)
{
    const QString table = QLatin1String(kDatabaseTable);
    // Names compare without regard to letter case, as the list's do.
    return db.CreateDatabase(path) && db.CreateTable(table)
        && db.CreateField(QStringLiteral("Names"), QStringLiteral("TEXT(90) COLLATE NOCASE"))
        && db.CreateField(QStringLiteral("Status"), QStringLiteral("TEXT(90)"))
        && db.CreateField(QStringLiteral("Last Lookup At"), QStringLiteral("DATETIME"))
        && db.CreateField(QStringLiteral("Information"), QStringLiteral("TEXT"))
        && db.CreateIndex(QStringLiteral("Names"), QStringLiteral("NameIndex")) && db.AppendTable();
}

// An empty text is not written: a rewritten row keeps that field.
QString NonEmptyText(const QByteArray& latin1)
{
    return latin1.isEmpty() ? QString() : QString::fromLatin1(latin1);
}

}

CExportResult ExportToDatabase(const CDomainDoc& doc, const QString& path, ExportScope scope)
{
    CDatabaseFile db;
    if (db.OpenDatabase(path)) {
        if (!db.OpenTable(QLatin1String(kDatabaseTable)))
            return CExportResult::Failed(db.GetError());
    } else if (!CreateExportTable(db, path)) {
        return CExportResult::Failed(db.GetError());
    }
    if (!db.OpenRecordset())
        return CExportResult::Failed(db.GetError());
    int written = 0;
    for (int i = 0; i < doc.GetCount(); ++i) {
        const CDomainInfo& record = *doc.GetAt(i);
        if (!IsInScope(record, scope))
            continue;
        if (!db.WriteRecord(NonEmptyText(record.m_strName), NonEmptyText(record.StatusText()),
                            IsoDateValueText(record.m_dtChecked), NonEmptyText(record.m_strWhois)))
            return CExportResult::Failed(db.GetError());
        ++written;
    }
    if (!db.Commit())
        return CExportResult::Failed(db.GetError());
    return CExportResult::Written(written);
}
