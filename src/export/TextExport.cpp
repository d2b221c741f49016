#include "export/TextExport.h"

#include "export/ExportSink.h"
#include "model/DomainDoc.h"

namespace {

bool IsChosen(const CDomainInfo& record, TextExportKind kind, ExportScope scope)
{
    if (kind == TextExportKind::FreeNames)
        return record.m_nStatus == STATUS_AVAILABLE;
    return IsInScope(record, scope);
}

}

CExportResult WriteTextExport(const CDomainDoc& doc, const CExportTarget& target, TextExportKind kind,
                              ExportScope scope)
{
    return target.Write([&](CExportSink& sink) {
        int written = 0;
        for (int i = 0; i < doc.GetCount(); ++i) {
            const CDomainInfo& record = *doc.GetAt(i);
            if (!IsChosen(record, kind, scope))
                continue;
            QByteArray& out = sink.Buffer();
            out += QByteArray::number(++written);
            out += ", ";
            out += record.m_strName;
            if (kind == TextExportKind::NamesWithStatus) {
                out += ", ";
                out += record.StatusText();
            }
            out += "\r\n";
            sink.EndRecord();
        }
        return written;
    });
}
