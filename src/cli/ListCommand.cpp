// list: the document as lines of text or of JSON.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "export/DomainJson.h"

#include <cstdio>

namespace {

QByteArray JsonLine(const CDomainDoc& doc, int i)
{
    return JsonObjectText(DomainRecordToJson(*doc.GetAt(i), i + 1)) + '\n';
}

QByteArray TextLine(const CDomainDoc& doc, int i)
{
    QStringList columns;
    for (int column = 0; column <= 4; ++column) {
        QString text;
        doc.GetItemText(i, column, text);
        columns << text;
    }
    return columns.join(QLatin1Char('\t')).toUtf8() + '\n';
}

}

int RunList(CCliArgs& args)
{
    const auto path = args.TakeOperand();
    const bool json = args.TakeFlag(QStringLiteral("--json"));
    RequireNoOptionsLeft(args);
    if (!path || !args.IsEmpty())
        throw CCliError{QStringLiteral("list takes one file"), kExitUsage};
    CCliDocument file(*path, false);
    const CDomainDoc& doc = file.Doc();
    for (int i = 0; i < doc.GetCount(); ++i) {
        const QByteArray line = json ? JsonLine(doc, i) : TextLine(doc, i);
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    }
    return doc.IsPartiallyLoaded() ? 1 : 0;
}
