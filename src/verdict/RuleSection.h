#pragma once

#include "verdict/Rule.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Whether the generic taken and free keywords still apply to a server that
// has rules of its own: all of them, only the taken ones (a free answer must
// then be one the server's rules know), or none.
enum class FallbackMode : uint8_t
{
    Unset,
    All,
    TakenOnly,
    None,
};

// One bracketed section of a rules file and the rules under it: the generic
// section, or the rules of one or more server hosts, optionally only for
// names in some TLDs.
class CRuleSection
{
public:
    bool m_bGeneric = false;
    // Lower case; hosts without a port, TLDs without a leading dot.
    std::vector<QByteArray> m_hosts;
    std::vector<QByteArray> m_tlds;
    FallbackMode m_nFallback = FallbackMode::Unset;
    std::vector<CRule> m_rules;
    int m_nLine = 0;

    // "generic", "whois.nic.fr" or "whois.example (co.uk, org.uk)": how
    // rule names begin.
    QString Label() const
    {
        if (m_bGeneric || m_hosts.empty())
            return QStringLiteral("generic");
        QString label = QString::fromLatin1(m_hosts.front());
        if (!m_tlds.empty()) {
            QStringList tlds;
            for (const QByteArray& t : m_tlds)
                tlds << QString::fromLatin1(t);
            label += QStringLiteral(" (") + tlds.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        return label;
    }
};
