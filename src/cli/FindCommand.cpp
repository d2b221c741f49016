// find: the row that Find in Telvaro would select.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "model/DomainFind.h"

#include <cstdio>

namespace {

class CFindCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "find"; }
    const char* Synopsis() const override { return "FILE TEXT"; }
    const char* Summary() const override
    {
        return "print the row of the first name equal to TEXT, else of the\n"
               "first that begins with it (case ignored); exit 1 when none";
    }

protected:
    Access DocumentAccess() const override { return Access::Read; }

    void Prepare(const CCliArgs&, const QStringList& operands) override
    {
        if (operands.size() != 1)
            throw UsageError(QStringLiteral("find needs one text to look for"));
    }

    int RunOn(CCliDocument& file, const CCliArgs&, const QStringList& operands) override
    {
        const int row = FindEntry(file.Doc(), operands.first().toLatin1());
        if (row < 0)
            return 1;
        std::printf("%d\n", row + 1);
        return 0;
    }
};

}

std::unique_ptr<CCliCommand> MakeFindCommand()
{
    return std::make_unique<CFindCommand>();
}
