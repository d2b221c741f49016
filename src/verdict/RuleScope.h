#pragma once

#include "verdict/PhraseMatcher.h"
#include "verdict/RuleSection.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

// The rules that apply to one server (and TLD), in the order that decides
// between them, and the one phrase matcher that finds them all:
//   1. rate-limit and no-service rules: the TLD's, the server's, generic;
//   2. the TLD section's taken, then free rules; then the server's;
//   3. the generic taken, then free rules, as far as the fallback allows.
// Within a step the rules keep their file order. Built once, then only read.
class CRuleScope
{
public:
    // tld and host may be null; generics are the generic sections, the one
    // read last first.
    bool Build(const CRuleSection* tld, const CRuleSection* host, const std::vector<const CRuleSection*>& generics,
               QString* error);

    // The rule that decides body, or null. counted is how much of body the
    // rules read (an end rule cuts it short).
    const CRule* Decide(QByteArrayView body, qsizetype* counted) const;
    // The seconds a wait rule reads from body, or -1.
    int WaitSeconds(QByteArrayView body) const;

private:
    CPhraseMatcher m_matcher;
    std::vector<const CRule*> m_ordered;
    std::vector<const CRule*> m_waits;
    bool m_bHasPatterns = false;
};
