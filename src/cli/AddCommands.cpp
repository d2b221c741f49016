// add and construct: names offered to a document as the name dialogs do.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "model/TLDTable.h"
#include "base/TextCompare.h"
#include "names/AddCandidates.h"
#include "names/NameCandidates.h"
#include "names/NameConstructor.h"
#include "names/SelectedTLDs.h"
#include "names/WordLists.h"

#include <QFile>

#include <cstdio>

namespace {

// The table's own texts for --tld a,b,... (letter case as stored), or the
// ticked rows when the option is absent.
QByteArrayList TLDsFromOption(CCliArgs& args)
{
    const auto option = args.TakeOption(QStringLiteral("--tld"));
    if (!option)
        return GetSelectedTLDs();
    QByteArrayList tlds;
    for (const QString& wanted : option->split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QByteArray text = wanted.trimmed().toLatin1();
        const auto it = std::find_if(g_tldTable.m_rows.begin(), g_tldTable.m_rows.end(),
                                     [&](const auto& row) { return EqualsNoCase(row->m_strTLD, text); });
        if (it == g_tldTable.m_rows.end())
            throw CCliError{QStringLiteral("%1 is not in the TLD table (see 'telvaro-cli tld list')").arg(wanted)};
        tlds << (*it)->m_strTLD;
    }
    return tlds;
}

QByteArray ReadTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CCliError{QStringLiteral("%1: %2").arg(path, file.errorString())};
    return file.readAll();
}

int Offer(CCliDocument& file, const QByteArrayList& candidates)
{
    const CAddCount count = AddCandidates(file.Doc(), candidates);
    file.Save();
    std::printf("%lld\n", static_cast<long long>(count.m_nAdded));
    const QString dropped = DescribeDroppedNames(count, GetEntryLimit(file.Doc()));
    if (!dropped.isEmpty())
        std::fprintf(stderr, "telvaro-cli: %s\n", qPrintable(dropped));
    return 0;
}

// A word list given on the command line, or the kind's stored list.
QByteArray WordsOption(CCliArgs& args, const QString& name, const QByteArray& stored)
{
    const auto option = args.TakeOption(name);
    if (!option)
        return stored;
    QByteArray words = option->toLatin1();
    NormalizeWordList(words);
    return words;
}

}

int RunAdd(CCliArgs& args)
{
    const QString path = args.TakeDocumentFile();
    const QByteArrayList tlds = TLDsFromOption(args);
    QByteArray text;
    if (const auto from = args.TakeOption(QStringLiteral("--from-file")))
        text = ReadTextFile(*from);
    RequireNoOptionsLeft(args);
    for (const QString& name : args.Rest()) {
        if (name != QLatin1String("--"))
            text += '\n' + name.toLatin1();
    }
    if (text.trimmed().isEmpty())
        throw CCliError{QStringLiteral("add needs names, or --from-file with names in it"), kExitUsage};
    CCliDocument file(path, true);
    return Offer(file, BuildNameCandidates(text, tlds));
}

int RunConstruct(CCliArgs& args)
{
    const QString path = args.TakeDocumentFile();
    const auto keyword = args.TakeOperand();
    if (!keyword)
        throw CCliError{QStringLiteral("construct needs a keyword"), kExitUsage};
    const QByteArrayList tlds = TLDsFromOption(args);

    CConstructOptions options;
    const auto kindText = args.TakeOption(QStringLiteral("--kind"));
    bool ok = true;
    options.m_nWebType = kindText ? kindText->toInt(&ok) : 0;
    if (!ok || options.m_nWebType < 0 || options.m_nWebType >= kWebTypeCount)
        throw CCliError{QStringLiteral("--kind needs a number from 0 to %1").arg(kWebTypeCount - 1), kExitUsage};
    options.m_bUseDash = args.TakeFlag(QStringLiteral("--dash"));
    options.m_bNoStartAppend = args.TakeFlag(QStringLiteral("--no-start"));
    options.m_bNoEndAppend = args.TakeFlag(QStringLiteral("--no-end"));
    options.m_bNoBothAppend = args.TakeFlag(QStringLiteral("--no-both"));

    QByteArray storedStart;
    QByteArray storedEnd;
    LoadWordLists(options.m_nWebType, storedStart, storedEnd);
    const QByteArray start = WordsOption(args, QStringLiteral("--start"), storedStart);
    const QByteArray end = WordsOption(args, QStringLiteral("--end"), storedEnd);
    RequireNoOptionsLeft(args);
    if (!args.IsEmpty())
        throw CCliError{QStringLiteral("construct takes one keyword"), kExitUsage};

    CCliDocument file(path, true);
    const CNameConstructor constructor(keyword->toLatin1(), start, end, options);
    return Offer(file, constructor.BuildNames(tlds));
}
