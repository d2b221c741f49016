#include "export/CsvExport.h"

#include "export/ExportDate.h"
#include "export/ExportSink.h"
#include "model/DomainDoc.h"

namespace {

// One field, from 8-bit text (read as Latin-1) to UTF-8, quoted when it
// has to be.
void AppendField(QByteArray& out, QByteArrayView latin1)
{
    const QByteArray utf8 = QString::fromLatin1(latin1).toUtf8();
    bool quote = false;
    for (const char c : utf8) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out += utf8;
        return;
    }
    out += '"';
    for (const char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

}

CExportResult WriteCsvExport(const CDomainDoc& doc, const CExportTarget& target, ExportScope scope)
{
    return target.Write([&](CExportSink& sink) {
        sink.Append("name,status,status_text,checked,whois\r\n");
        int written = 0;
        for (int i = 0; i < doc.GetCount(); ++i) {
            const CDomainInfo& record = *doc.GetAt(i);
            if (!IsInScope(record, scope))
                continue;
            QByteArray& out = sink.Buffer();
            AppendField(out, record.m_strName);
            out += ',';
            out += QByteArray::number(record.m_nStatus);
            out += ',';
            AppendField(out, record.StatusText());
            out += ',';
            out += IsoDateText(record.m_dtChecked).toLatin1();
            out += ',';
            AppendField(out, record.m_strWhois);
            out += "\r\n";
            ++written;
            sink.EndRecord();
        }
        return written;
    });
}
