#include "verdict/RuleScope.h"

#include <algorithm>

namespace {

bool IsBarrier(RuleKind kind)
{
    return kind == RuleKind::Limit || kind == RuleKind::NoService;
}

}

bool CRuleScope::Build(const CRuleSection* tld, const CRuleSection* host,
                       const std::vector<const CRuleSection*>& generics, QString* error)
{
    std::vector<const CRuleSection*> own;
    for (const CRuleSection* s : {tld, host}) {
        if (s)
            own.push_back(s);
    }
    std::vector<const CRuleSection*> all = own;
    all.insert(all.end(), generics.begin(), generics.end());

    auto add = [this](const std::vector<const CRuleSection*>& sections, auto wanted) {
        for (const CRuleSection* s : sections) {
            for (const CRule& r : s->m_rules) {
                if (wanted(r.m_nKind))
                    m_ordered.push_back(&r);
            }
        }
    };
    auto is = [](RuleKind kind) { return [kind](RuleKind k) { return k == kind; }; };
    add(all, IsBarrier);
    for (const CRuleSection* s : own) {
        add({s}, is(RuleKind::Taken));
        add({s}, is(RuleKind::Free));
    }
    FallbackMode mode = FallbackMode::All;
    for (const CRuleSection* s : own) {
        if (s->m_nFallback != FallbackMode::Unset) {
            mode = s->m_nFallback;
            break;
        }
    }
    if (mode != FallbackMode::None)
        add(generics, is(RuleKind::Taken));
    if (mode == FallbackMode::All)
        add(generics, is(RuleKind::Free));

    std::vector<CPhraseMatcher::CPhrase> phrases;
    for (size_t i = 0; i < m_ordered.size(); ++i) {
        const CRule& r = *m_ordered[i];
        if (r.m_bPattern)
            m_bHasPatterns = true;
        else
            phrases.push_back({r.m_strTokens, uint16_t(std::min<size_t>(i, CPhraseMatcher::kNoMatch - 1)), false});
    }
    if (m_ordered.size() >= CPhraseMatcher::kNoMatch) {
        *error = QStringLiteral("the rules hold too many rules for one server");
        return false;
    }
    for (const CRuleSection* s : all) {
        for (const CRule& r : s->m_rules) {
            if (r.m_nKind == RuleKind::End)
                phrases.push_back({r.m_strTokens, 0, true});
            else if (r.m_nKind == RuleKind::Wait)
                m_waits.push_back(&r);
        }
    }
    return m_matcher.Build(phrases, error);
}

const CRule* CRuleScope::Decide(QByteArrayView body, qsizetype* counted) const
{
    const CPhraseMatcher::CScan scan = m_matcher.Scan(body);
    *counted = scan.m_nCounted;
    size_t best = scan.m_nBest;
    if (m_bHasPatterns) {
        // Patterns cost a pass each, so only those that would win are tried.
        const QString subject = QString::fromLatin1(body.first(scan.m_nCounted));
        for (size_t i = 0; i < std::min(best, m_ordered.size()); ++i) {
            if (m_ordered[i]->m_bPattern && m_ordered[i]->m_re.match(subject).hasMatch()) {
                best = i;
                break;
            }
        }
    }
    return best < m_ordered.size() ? m_ordered[best] : nullptr;
}

int CRuleScope::WaitSeconds(QByteArrayView body) const
{
    if (m_waits.empty())
        return -1;
    const QString subject = QString::fromLatin1(body);
    for (const CRule* w : m_waits) {
        if (const int seconds = w->WaitSeconds(subject); seconds >= 0)
            return seconds;
    }
    return -1;
}
