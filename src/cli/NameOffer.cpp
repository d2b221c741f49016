#include "cli/NameOffer.h"

#include "base/TextCompare.h"
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "model/TLDTable.h"
#include "names/AddCandidates.h"
#include "names/SelectedTLDs.h"

#include <algorithm>
#include <cstdio>

QByteArrayList TLDsFromOption(const CCliArgs& args)
{
    const auto option = args.Value("--tld");
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

int OfferNames(CCliDocument& file, const QByteArrayList& candidates)
{
    const CAddCount count = AddCandidates(file.Doc(), candidates);
    file.Save();
    std::printf("%lld\n", static_cast<long long>(count.m_nAdded));
    const QString dropped = DescribeDroppedNames(count, GetEntryLimit(file.Doc()));
    if (!dropped.isEmpty())
        std::fprintf(stderr, "telvaro-cli: %s\n", qPrintable(dropped));
    return 0;
}
