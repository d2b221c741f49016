#include "verdict/RulePack.h"

#include "verdict/AnswerHeader.h"
#include "verdict/DnsNote.h"

#include <algorithm>
#include <map>

namespace {

VerdictKind KindOfRule(RuleKind kind)
{
    switch (kind) {
    case RuleKind::Free:
        return VerdictKind::Free;
    case RuleKind::Taken:
        return VerdictKind::Taken;
    case RuleKind::Limit:
        return VerdictKind::RateLimited;
    case RuleKind::NoService:
        return VerdictKind::NoService;
    case RuleKind::Wait:
    case RuleKind::End:
        break;
    }
    return VerdictKind::Undetermined;
}

CVerdict Undetermined(const QString& why)
{
    CVerdict v;
    v.m_strRule = why;
    return v;
}

// Where a section stands in the user's words: "whois.nic.fr limit 'too
// many requests'", from "telvaro.rules line 12".
void NameRules(CRuleFile& file)
{
    for (auto& section : file.m_sections) {
        const QString label = section->Label();
        for (CRule& r : section->m_rules) {
            r.m_strName = label + QLatin1Char(' ') + QString::fromLatin1(CRule::WordOfKind(r.m_nKind)) +
                QStringLiteral(" '") + QString::fromLatin1(r.m_strText) + QLatin1Char('\'');
            r.m_strOrigin = QStringLiteral("%1 line %2").arg(file.m_strName).arg(r.m_nLine);
        }
    }
}

}

std::shared_ptr<const CRulePack> CRulePack::Build(std::vector<CRuleFile> files, QString* error)
{
    std::shared_ptr<CRulePack> pack(new CRulePack);
    for (CRuleFile& f : files) {
        if (f.IsValid()) {
            NameRules(f);
            pack->m_files.push_back(std::move(f));
        }
    }

    // The section that holds each host, and each host and TLD, once the
    // later files have laid theirs over the earlier ones.
    std::map<std::pair<QByteArray, QByteArray>, const CRuleSection*> byKey;
    std::vector<const CRuleSection*> generics;
    for (const CRuleFile& f : pack->m_files) {
        std::vector<const CRuleSection*> fileGenerics;
        for (const auto& s : f.m_sections) {
            if (s->m_bGeneric)
                fileGenerics.push_back(s.get());
            for (const QByteArray& host : s->m_hosts) {
                if (s->m_tlds.empty())
                    byKey[{host, QByteArray()}] = s.get();
                for (const QByteArray& tld : s->m_tlds)
                    byKey[{host, tld}] = s.get();
            }
        }
        generics.insert(generics.begin(), fileGenerics.begin(), fileGenerics.end());
    }

    // One scope for each pair of TLD and host sections in use; scope 0 is
    // the generic rules alone.
    std::map<std::pair<const CRuleSection*, const CRuleSection*>, size_t> scopeOf;
    auto scope = [&](const CRuleSection* tld, const CRuleSection* host) -> size_t {
        const auto [it, added] = scopeOf.try_emplace({tld, host}, pack->m_scopes.size());
        if (added) {
            auto s = std::make_unique<CRuleScope>();
            if (!s->Build(tld, host, generics, error))
                return SIZE_MAX;
            pack->m_scopes.push_back(std::move(s));
        }
        return it->second;
    };
    if (scope(nullptr, nullptr) == SIZE_MAX)
        return nullptr;
    for (const auto& [key, section] : byKey) {
        const auto& [host, tld] = key;
        CHostScopes& entry = pack->m_hosts[host];
        if (tld.isEmpty()) {
            entry.m_nScope = scope(nullptr, section);
            if (entry.m_nScope == SIZE_MAX)
                return nullptr;
            continue;
        }
        const auto hostSection = byKey.find({host, QByteArray()});
        const size_t s = scope(section, hostSection == byKey.end() ? nullptr : hostSection->second);
        if (s == SIZE_MAX)
            return nullptr;
        entry.m_tlds.emplace_back(tld, s);
    }
    for (auto& [host, entry] : pack->m_hosts) {
        std::stable_sort(entry.m_tlds.begin(), entry.m_tlds.end(),
                         [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    }
    return pack;
}

const CRuleScope& CRulePack::FindScope(QByteArrayView host, QByteArrayView fallbackHost, QByteArrayView name) const
{
    for (const QByteArrayView h : {host, fallbackHost}) {
        if (h.isEmpty())
            continue;
        const auto it = m_hosts.find(h);
        if (it == m_hosts.end())
            continue;
        for (const auto& [tld, s] : it->second.m_tlds) {
            if (NameInTld(name, tld))
                return *m_scopes[s];
        }
        if (it->second.m_nScope != 0)
            return *m_scopes[it->second.m_nScope];
    }
    return *m_scopes.front();
}

CVerdict CRulePack::Classify(QByteArrayView text, QByteArrayView fallbackServer, QByteArrayView fallbackName) const
{
    static const QString kEmpty = QStringLiteral("empty answer");
    static const QString kNoRule = QStringLiteral("no rule matched");
    if (text.isEmpty())
        return Undetermined(kEmpty);
    // What DNS found after the registry answered outranks the answer.
    switch (DnsNote::Find(text)) {
    case DnsNote::Kind::Delegated: {
        CVerdict v;
        v.m_nKind = VerdictKind::Taken;
        v.m_strRule = QStringLiteral("DNS delegates the name");
        v.m_strOrigin = QStringLiteral("the DNS check");
        return v;
    }
    case DnsNote::Kind::Stopped:
        return Undetermined(QStringLiteral("stopped during the DNS check"));
    case DnsNote::Kind::None:
    case DnsNote::Kind::Confirmed:
    case DnsNote::Kind::Unconfirmed:
        break;
    }
    const CAnswerHeader header = CAnswerHeader::Parse(text);
    const QByteArrayView name = header.m_bPresent ? header.m_strName : fallbackName;
    const CRuleScope& scope = FindScope(header.m_strHost, BareHost(fallbackServer), name);
    qsizetype counted = 0;
    const CRule* rule = scope.Decide(header.m_body, &counted);
    if (!rule)
        return Undetermined(kNoRule);
    CVerdict v;
    v.m_nKind = KindOfRule(rule->m_nKind);
    v.m_strRule = rule->m_strName;
    v.m_strOrigin = rule->m_strOrigin;
    if (v.m_nKind == VerdictKind::RateLimited)
        v.m_nWaitSeconds = scope.WaitSeconds(header.m_body.first(counted));
    return v;
}
