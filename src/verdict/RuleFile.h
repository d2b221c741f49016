#pragma once

#include "verdict/RuleSection.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A rules file read into sections. Reading never stops at the first
// mistake: every damaged line is listed (up to a few), and a file with any
// error is not to be used at all.
class CRuleFile
{
public:
    // Larger files are refused unread: a rules file is a few kilobytes.
    static constexpr qsizetype kMaxSize = 1 << 20;

    // name is how the file is called in rule origins ("telvaro.rules").
    static CRuleFile Parse(QByteArrayView text, const QString& name);

    QString m_strName;
    std::vector<std::unique_ptr<CRuleSection>> m_sections;
    // "line 12: unknown rule kind "fre"", in line order.
    QStringList m_errors;

    bool IsValid() const { return m_errors.isEmpty(); }
};
