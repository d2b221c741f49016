// delete: names out of a list, as the Delete commands take them.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "model/DomainDelete.h"

#include <cstdio>
#include <optional>

namespace {

constexpr CCliOption kOptions[] = {
    {"--selected", nullptr, "delete the ticked names"},
    {"--taken", nullptr, "delete the names found taken"},
    {"--free", nullptr, "delete the names found free"},
    {"--all", nullptr, "delete every name"},
};

class CDeleteCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "delete"; }
    const char* Synopsis() const override { return "FILE (--selected | --taken | --free | --all | NAME...)"; }
    const char* Summary() const override { return "delete names; prints how many went"; }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Write; }

    void Prepare(const CCliArgs& args, const QStringList& names) override
    {
        m_kind.reset();
        int ways = int(!names.isEmpty());
        for (const auto& [option, kind] : {std::pair{"--selected", DeleteKind::Selected},
                                           std::pair{"--taken", DeleteKind::Taken},
                                           std::pair{"--free", DeleteKind::Available},
                                           std::pair{"--all", DeleteKind::All}}) {
            if (args.Has(option)) {
                m_kind = kind;
                ++ways;
            }
        }
        if (ways != 1)
            throw UsageError(QStringLiteral("delete needs one of --selected, --taken, --free, --all or names"));
    }

    int RunOn(CCliDocument& file, const CCliArgs&, const QStringList& names) override
    {
        CDomainDoc& doc = file.Doc();
        int deleted = 0;
        QStringList unknown;
        if (m_kind) {
            deleted = DeleteDomains(doc, *m_kind);
        } else {
            for (const QString& name : names) {
                if (doc.RemoveDomain(name.toLatin1()))
                    ++deleted;
                else
                    unknown << name;
            }
        }
        std::printf("%d\n", deleted);
        // The names that were found stay deleted.
        file.Save();
        if (!unknown.isEmpty())
            throw CCliError{QStringLiteral("not in the list: %1").arg(unknown.join(QStringLiteral(", ")))};
        return 0;
    }

private:
    std::optional<DeleteKind> m_kind;
};

}

std::unique_ptr<CCliCommand> MakeDeleteCommand()
{
    return std::make_unique<CDeleteCommand>();
}
