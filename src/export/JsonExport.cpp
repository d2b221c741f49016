#include "export/JsonExport.h"

#include "export/DomainJson.h"
#include "export/ExportSink.h"
#include "model/DomainDoc.h"
#include "verdict/RuleStore.h"

CExportResult WriteJsonExport(const CDomainDoc& doc, const CExportTarget& target, ExportScope scope)
{
    return target.Write([&](CExportSink& sink) {
        // Streamed object by object: the whole array as one QJsonArray would
        // cost several times the text's size.
        sink.Append("[");
        const std::shared_ptr<const CRulePack> pack = CRuleStore::Current();
        int written = 0;
        for (int i = 0; i < doc.GetCount(); ++i) {
            const CDomainInfo& record = *doc.GetAt(i);
            if (!IsInScope(record, scope))
                continue;
            sink.Append(written++ ? ",\n" : "\n");
            AppendDomainRecordJson(sink.Buffer(), record, i + 1, *pack);
            sink.EndRecord();
        }
        sink.Append("\n]\n");
        return written;
    });
}
