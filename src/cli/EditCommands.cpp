// new and select: documents changed without a lookup.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"

#include <QFileInfo>

#include <cstdio>

int RunNew(CCliArgs& args)
{
    const QString path = args.TakeDocumentFile();
    RequireNoOptionsLeft(args);
    if (!args.IsEmpty())
        throw CCliError{QStringLiteral("new takes one file"), kExitUsage};
    if (QFileInfo::exists(path))
        throw CCliError{QStringLiteral("%1 already exists; it was left unchanged").arg(path)};
    CDomainDoc doc;
    doc.OnNewDocument();
    if (const CResult saved = doc.OnSaveDocument(path); !saved)
        throw CCliError{saved.Message()};
    return 0;
}

int RunSelect(CCliArgs& args)
{
    const QString path = args.TakeDocumentFile();
    const bool all = args.TakeFlag(QStringLiteral("--all"));
    const bool none = args.TakeFlag(QStringLiteral("--none"));
    RequireNoOptionsLeft(args);
    QStringList names = args.Rest();
    names.removeAll(QStringLiteral("--"));
    if (int(all) + int(none) + int(!names.isEmpty()) != 1)
        throw CCliError{QStringLiteral("select needs one of --all, --none or names"), kExitUsage};

    CCliDocument file(path, true);
    CDomainDoc& doc = file.Doc();
    QStringList unknown;
    if (all || none) {
        for (int i = 0; i < doc.GetCount(); ++i) {
            if (bool(doc.GetAt(i)->m_bSelected) != all)
                doc.SetSelected(i, all ? 1 : 0);
        }
    } else {
        for (const QString& name : names) {
            const CDomainInfo* record = doc.FindDomain(name.toLatin1());
            if (!record)
                unknown << name;
            else if (!record->m_bSelected)
                doc.SetSelected(doc.IndexOf(record), 1);
        }
    }
    file.Save();
    if (!unknown.isEmpty()) {
        throw CCliError{QStringLiteral("not in the list: %1").arg(unknown.join(QStringLiteral(", ")))};
    }
    return 0;
}
