#pragma once

#include "base/TextCompare.h"
#include "verdict/RuleFile.h"
#include "verdict/RuleScope.h"
#include "verdict/Verdict.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

// Every rule of the bundled rules file and the user's, ready to classify
// answers. Immutable once built; one pack serves all workers at once, and a
// reload builds a new pack rather than changing this one.
class CRulePack
{
public:
    // files in reading order: a later file's server section replaces the
    // sections of the same hosts (and TLDs) before it; its generic rules are
    // added, ahead of the earlier ones. Files with errors are left out. Null
    // with error when a server's rules are too many for its matcher.
    static std::shared_ptr<const CRulePack> Build(std::vector<CRuleFile> files, QString* error);

    // What text (an answer as the worker stores it) means. The server and
    // name come from its "WHOIS server: HOST, Domain: NAME" line; without
    // that line, or for a host with no rules, fallbackServer and
    // fallbackName are used. A DNS check line at the end decides first.
    CVerdict Classify(QByteArrayView text, QByteArrayView fallbackServer = {}, QByteArrayView fallbackName = {}) const;

    // The number of distinct rule sets, the generic one included.
    qsizetype ScopeCount() const { return qsizetype(m_scopes.size()); }

private:
    CRulePack() = default;

    const CRuleScope& FindScope(QByteArrayView host, QByteArrayView fallbackHost, QByteArrayView name) const;

    struct CHostScopes
    {
        // The scope of the host's own section; 0 (generic) when it has none.
        size_t m_nScope = 0;
        // Its TLD sections, longest TLD first.
        std::vector<std::pair<QByteArray, size_t>> m_tlds;
    };

    std::vector<CRuleFile> m_files;
    std::vector<std::unique_ptr<CRuleScope>> m_scopes;
    std::unordered_map<QByteArray, CHostScopes, NoCaseHash, NoCaseEqual> m_hosts;
};
