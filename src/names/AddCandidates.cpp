#include "names/AddCandidates.h"

#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "base/TextCompare.h"

#include <QLocale>

#include <algorithm>
#include <unordered_set>

int GetEntryLimit(const CDomainDoc& doc)
{
    return std::min(doc.m_nMaxEntries, CDomainDoc::kMaxFileRecords);
}

CAddCount AddCandidates(CDomainDoc& doc, const QByteArrayList& names)
{
    CAddCount count;
    const int limit = GetEntryLimit(doc);
    // Views into names, which outlive the set.
    std::unordered_set<QByteArrayView, NoCaseHash, NoCaseEqual> dropped;
    for (const QByteArray& name : names) {
        if (doc.GetCount() < limit) {
            if (doc.AddDomain(name))
                ++count.m_nAdded;
            continue;
        }
        // The same tests AddDomain makes, minus the limit.
        const QByteArrayView trimmed = QByteArrayView(name).trimmed();
        if (IsValidDomainName(trimmed) && !doc.FindDomain(trimmed) && dropped.insert(trimmed).second)
            ++count.m_nDropped;
    }
    return count;
}

QString DescribeDroppedNames(const CAddCount& count, int limit)
{
    if (count.m_nDropped == 0 && count.m_nNotTried == 0)
        return {};
    const QLocale locale;
    QString text = QStringLiteral("The domain list is full: it holds at most %1 names.\n\n").arg(locale.toString(limit));
    text += count.m_nAdded == 1 ? QStringLiteral("1 name was added")
                                : QStringLiteral("%1 names were added").arg(locale.toString(count.m_nAdded));
    text += count.m_nDropped == 1 ? QStringLiteral("; 1 more was left out.")
                                  : QStringLiteral("; %1 more were left out.").arg(locale.toString(count.m_nDropped));
    if (count.m_nNotTried > 0)
        text += QStringLiteral(" Another %1 names these words make were not tried.").arg(locale.toString(count.m_nNotTried));
    text += QStringLiteral("\n\n");
    if (limit >= CDomainDoc::kMaxFileRecords)
        text += QStringLiteral("No list can hold more names; the rest belong in a new list.");
    else
        text += QStringLiteral("The limit is the \"Max Entries\" value in the [Settings] section of the settings "
                               "file, $XDG_CONFIG_HOME/Telvaro/Telvaro.conf (usually "
                               "~/.config/Telvaro/Telvaro.conf). A list can hold up to %1 names.")
                    .arg(locale.toString(CDomainDoc::kMaxFileRecords));
    return text;
}
