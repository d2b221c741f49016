#pragma once

#include <QString>

#include <cstdint>

enum class VerdictKind : uint8_t
{
    Undetermined,
    Taken,
    Free,
    RateLimited,
    NoService,
};

// What one whois answer means and which rule said so. Copies are cheap (the
// texts are shared with the rule), so workers hand verdicts around freely.
class CVerdict
{
public:
    VerdictKind m_nKind = VerdictKind::Undetermined;
    // How long the server asked us to wait, for a rate-limited answer whose
    // text names it; -1 when it does not.
    int m_nWaitSeconds = -1;
    // The deciding rule: "whois.nic.fr limit 'too many requests'".
    QString m_strRule;
    // Where that rule was written: "telvaro.rules line 12".
    QString m_strOrigin;

    bool IsVerdict() const { return m_nKind == VerdictKind::Taken || m_nKind == VerdictKind::Free; }
    // "taken", "free", "rate limited", "no service", "undetermined".
    QString KindText() const;
    // One line for the user: kind, wait time, rule and where it stands.
    QString Describe() const;
};

// The record status a verdict gives: taken and free as such; a rate limit
// an error that keeps prevStatus's count of failures; no service an error
// counted like any failed lookup; anything else the fallback, escalated over
// prevStatus like any failed lookup.
uint8_t VerdictStatus(const CVerdict& verdict, uint8_t prevStatus, uint8_t fallback);
