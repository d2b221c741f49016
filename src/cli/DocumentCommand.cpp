#include "cli/DocumentCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"

int CDocumentCommand::Run(const CCliArgs& args)
{
    if (args.Operands().isEmpty())
        throw UsageError(QStringLiteral("a document file is needed"));
    const QString path = args.Operands().first();
    const QStringList operands = args.Operands().mid(1);
    Prepare(args, operands);
    CCliDocument file(path, DocumentAccess() == Access::Write);
    const int status = RunOn(file, args, operands);
    if (DocumentAccess() == Access::Write)
        file.Save();
    return status;
}

void CDocumentCommand::Prepare(const CCliArgs&, const QStringList& operands)
{
    if (!operands.isEmpty())
        throw UsageError(QStringLiteral("%1 takes one file").arg(QString::fromLatin1(Name())));
}
