// select: tick names for lookup.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"

namespace {

constexpr CCliOption kOptions[] = {
    {"--all", nullptr, "tick every name"},
    {"--none", nullptr, "untick every name"},
};

class CSelectCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "select"; }
    const char* Synopsis() const override { return "FILE (--all | --none | NAME...)"; }
    const char* Summary() const override { return "tick names for lookup"; }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Write; }

    void Prepare(const CCliArgs& args, const QStringList& names) override
    {
        if (int(args.Has("--all")) + int(args.Has("--none")) + int(!names.isEmpty()) != 1)
            throw UsageError(QStringLiteral("select needs one of --all, --none or names"));
    }

    int RunOn(CCliDocument& file, const CCliArgs& args, const QStringList& names) override
    {
        CDomainDoc& doc = file.Doc();
        if (names.isEmpty()) {
            const bool all = args.Has("--all");
            for (int i = 0; i < doc.GetCount(); ++i) {
                if (bool(doc.GetAt(i)->m_bSelected) != all)
                    doc.SetSelected(i, all ? 1 : 0);
            }
            return 0;
        }
        QStringList unknown;
        for (const QString& name : names) {
            const CDomainInfo* record = doc.FindDomain(name.toLatin1());
            if (!record)
                unknown << name;
            else if (!record->m_bSelected)
                doc.SetSelected(doc.IndexOf(record), 1);
        }
        // The names that were found stay ticked.
        file.Save();
        if (!unknown.isEmpty())
            throw CCliError{QStringLiteral("not in the list: %1").arg(unknown.join(QStringLiteral(", ")))};
        return 0;
    }
};

}

std::unique_ptr<CCliCommand> MakeSelectCommand()
{
    return std::make_unique<CSelectCommand>();
}
