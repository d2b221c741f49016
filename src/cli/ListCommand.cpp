// list: the document as lines of text or of JSON.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/DocumentCommand.h"
#include "export/DomainJson.h"
#include "export/JsonText.h"
#include "verdict/RuleStore.h"

#include <cstdio>

namespace {

constexpr CCliOption kOptions[] = {
    {"--json", nullptr, "one JSON object a line"},
};

QByteArray JsonLine(const CDomainDoc& doc, int i, const CRulePack& pack)
{
    QByteArray line;
    AppendDomainRecordJson(line, *doc.GetAt(i), i + 1, pack);
    return line + '\n';
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

class CListCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "list"; }
    const char* Synopsis() const override { return "FILE [--json]"; }
    const char* Summary() const override { return "print the list"; }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Read; }

    int RunOn(CCliDocument& file, const CCliArgs& args, const QStringList&) override
    {
        const CDomainDoc& doc = file.Doc();
        const bool json = args.Has("--json");
        const std::shared_ptr<const CRulePack> pack = CRuleStore::Current();
        for (int i = 0; i < doc.GetCount(); ++i) {
            const QByteArray line = json ? JsonLine(doc, i, *pack) : TextLine(doc, i);
            std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        }
        return doc.IsPartiallyLoaded() ? 1 : 0;
    }
};

}

std::unique_ptr<CCliCommand> MakeListCommand()
{
    return std::make_unique<CListCommand>();
}
