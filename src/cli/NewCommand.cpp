// new: an empty list.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliError.h"
#include "model/DomainDoc.h"

#include <QFileInfo>

namespace {

class CNewCommand : public CCliCommand
{
public:
    const char* Name() const override { return "new"; }
    const char* Synopsis() const override { return "FILE"; }
    const char* Summary() const override { return "create an empty list"; }

    int Run(const CCliArgs& args) override
    {
        if (args.Operands().isEmpty())
            throw UsageError(QStringLiteral("a document file is needed"));
        if (args.Operands().size() > 1)
            throw UsageError(QStringLiteral("new takes one file"));
        const QString path = args.Operands().first();
        if (QFileInfo::exists(path))
            throw CCliError{QStringLiteral("%1 already exists; it was left unchanged").arg(path)};
        CDomainDoc doc;
        doc.OnNewDocument();
        if (const CResult saved = doc.OnSaveDocument(path); !saved)
            throw CCliError{saved.Message()};
        return 0;
    }
};

}

std::unique_ptr<CCliCommand> MakeNewCommand()
{
    return std::make_unique<CNewCommand>();
}
