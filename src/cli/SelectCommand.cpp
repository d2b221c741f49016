// select: tick names for lookup.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "model/DomainMarks.h"

#include <QRegularExpression>

namespace {

constexpr CCliOption kOptions[] = {
    {"--all", nullptr, "tick every name"},
    {"--none", nullptr, "untick every name"},
    {"--range", "FROM-TO", "tick rows FROM to TO (1-based, either order); the others keep their ticks"},
    {"--only", nullptr, "with --range: untick the rows outside it"},
    {"--free", nullptr, "tick the names found free; the others keep their ticks"},
};

// "FROM-TO" as the range dialog would take its two numbers.
CRowRange ParseRange(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d+)\\s*-\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    bool fromOk = false;
    bool toOk = false;
    CRowRange range;
    if (m.hasMatch())
        range = CRowRange{m.captured(1).toInt(&fromOk), m.captured(2).toInt(&toOk)};
    if (!fromOk || !toOk)
        throw UsageError(QStringLiteral("--range needs two row numbers, FROM-TO, not '%1'").arg(text));
    return range;
}

class CSelectCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "select"; }
    const char* Synopsis() const override
    {
        return "FILE (--all | --none | --range FROM-TO [--only] | --free | NAME...)";
    }
    const char* Summary() const override { return "tick names for lookup"; }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Write; }

    void Prepare(const CCliArgs& args, const QStringList& names) override
    {
        const std::optional<QString> range = args.Value("--range");
        const int ways = int(args.Has("--all")) + int(args.Has("--none")) + int(range.has_value()) +
                         int(args.Has("--free")) + int(!names.isEmpty());
        if (ways != 1)
            throw UsageError(QStringLiteral("select needs one of --all, --none, --range, --free or names"));
        if (args.Has("--only") && !range)
            throw UsageError(QStringLiteral("--only goes with --range"));
        if (range)
            m_range = ParseRange(*range);
    }

    int RunOn(CCliDocument& file, const CCliArgs& args, const QStringList& names) override
    {
        CDomainDoc& doc = file.Doc();
        if (args.Has("--range")) {
            SelectRange(doc, m_range, args.Has("--only"));
            return 0;
        }
        if (args.Has("--free")) {
            SelectFree(doc);
            return 0;
        }
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

private:
    CRowRange m_range;
};

}

std::unique_ptr<CCliCommand> MakeSelectCommand()
{
    return std::make_unique<CSelectCommand>();
}
