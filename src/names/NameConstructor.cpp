#include "names/NameConstructor.h"

#include "base/TextCompare.h"
#include "names/SelectedTLDs.h"
#include "names/Tokens.h"

#include <QtNumeric>

#include <limits>

namespace {

enum class PadSide { Start, End };

QByteArrayList BuildEntries(QByteArrayView words, QByteArrayView keyword, bool useDash, PadSide side)
{
    QByteArrayList entries;
    for (QByteArray word : SplitTokens(words, kNameSeparators)) {
        word.replace(".", "");
        if (EqualsNoCase(word, keyword))
            continue;
        entries.append(word);
        if (useDash)
            entries.append(side == PadSide::Start ? word + '-' : '-' + word);
    }
    return entries;
}

}

CNameConstructor::CNameConstructor(QByteArrayView keyword, QByteArrayView startWords,
                                   QByteArrayView endWords, const CConstructOptions& options)
    : m_strKeyword(keyword.toByteArray().trimmed())
    , m_bBoth(!options.m_bNoBothAppend)
{
    if (!options.m_bNoStartAppend)
        m_arrStart = BuildEntries(startWords, m_strKeyword, options.m_bUseDash, PadSide::Start);
    if (!options.m_bNoEndAppend)
        m_arrEnd = BuildEntries(endWords, m_strKeyword, options.m_bUseDash, PadSide::End);
}

qint64 CNameConstructor::GetNameCount(qsizetype tldCount) const
{
    // 1 + T * (1 + |S| + |E| + |S| * |E|), the last term only with both sides.
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    const qint64 s = m_arrStart.size();
    const qint64 e = m_arrEnd.size();
    qint64 both = 0;
    if (m_bBoth && qMulOverflow(s, e, &both))
        return kMax;
    qint64 stems = 0;
    if (qAddOverflow(1 + s + e, both, &stems))
        return kMax;
    qint64 withTLDs = 0;
    if (qMulOverflow(stems, qint64(tldCount), &withTLDs) || withTLDs == kMax)
        return kMax;
    return withTLDs + 1;
}

bool CNameConstructor::ForEachName(const QByteArrayList& selectedTLDs,
                                   const std::function<bool(QByteArrayView)>& offer) const
{
    if (!offer(m_strKeyword))
        return false;

    QByteArrayList suffixes;
    suffixes.reserve(selectedTLDs.size());
    qsizetype longestSuffix = 0;
    for (const QByteArray& tld : selectedTLDs) {
        suffixes.append('.' + tld);
        longestSuffix = qMax(longestSuffix, suffixes.back().size());
    }
    if (suffixes.isEmpty())
        return true;

    qsizetype longestStart = 0;
    for (const QByteArray& s : m_arrStart)
        longestStart = qMax(longestStart, s.size());
    qsizetype longestEnd = 0;
    for (const QByteArray& e : m_arrEnd)
        longestEnd = qMax(longestEnd, e.size());

    // One buffer for every name: the stem is written once, and each suffix
    // replaces the one before, so the loop never allocates.
    QByteArray name;
    name.reserve(longestStart + m_strKeyword.size() + longestEnd + longestSuffix);
    auto offerStem = [&](QByteArrayView start, QByteArrayView end) {
        name.truncate(0);
        name.append(start).append(m_strKeyword).append(end);
        const qsizetype stemSize = name.size();
        for (const QByteArray& suffix : suffixes) {
            name.truncate(stemSize);
            name.append(suffix);
            if (!offer(name))
                return false;
        }
        return true;
    };

    if (!offerStem({}, {}))
        return false;
    for (const QByteArray& s : m_arrStart) {
        if (!offerStem(s, {}))
            return false;
    }
    for (const QByteArray& e : m_arrEnd) {
        if (!offerStem({}, e))
            return false;
    }
    if (m_bBoth) {
        for (const QByteArray& s : m_arrStart) {
            for (const QByteArray& e : m_arrEnd) {
                if (!offerStem(s, e))
                    return false;
            }
        }
    }
    return true;
}

QByteArrayList CNameConstructor::BuildNames(const QByteArrayList& selectedTLDs) const
{
    QByteArrayList names;
    const qint64 count = GetNameCount(selectedTLDs.size());
    if (count <= std::numeric_limits<qsizetype>::max())
        names.reserve(qsizetype(count));
    ForEachName(selectedTLDs, [&names](QByteArrayView name) {
        names.append(name.toByteArray());
        return true;
    });
    return names;
}

QByteArrayList CNameConstructor::BuildNames() const
{
    return BuildNames(GetSelectedTLDs());
}
