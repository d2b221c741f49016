#include "verdict/Verdict.h"

#include "lookup/WhoisAnswer.h"
#include "model/DomainInfo.h"

QString CVerdict::KindText() const
{
    switch (m_nKind) {
    case VerdictKind::Taken:
        return QStringLiteral("taken");
    case VerdictKind::Free:
        return QStringLiteral("free");
    case VerdictKind::RateLimited:
        return QStringLiteral("rate limited");
    case VerdictKind::NoService:
        return QStringLiteral("no service");
    case VerdictKind::Undetermined:
        break;
    }
    return QStringLiteral("undetermined");
}

QString CVerdict::Describe() const
{
    QString text = KindText();
    if (m_nKind == VerdictKind::RateLimited && m_nWaitSeconds >= 0)
        text += QStringLiteral(" (wait %1 s)").arg(m_nWaitSeconds);
    text += QStringLiteral(": ") + m_strRule;
    if (!m_strOrigin.isEmpty())
        text += QStringLiteral(" (") + m_strOrigin + QLatin1Char(')');
    return text;
}

uint8_t VerdictStatus(const CVerdict& verdict, uint8_t prevStatus, uint8_t fallback)
{
    if (verdict.m_nKind == VerdictKind::Taken)
        return STATUS_TAKEN;
    if (verdict.m_nKind == VerdictKind::Free)
        return STATUS_AVAILABLE;
    // An empty text is classified as the fallback plus the error escalation,
    // which is exactly what a non-verdict must become.
    return ClassifyText(QByteArray(), prevStatus, fallback);
}
