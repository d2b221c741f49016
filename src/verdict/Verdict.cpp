#include "verdict/Verdict.h"

#include "verdict/DomainStatus.h"
#include "verdict/WhoisAnswer.h"

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
    const bool prevWasError = prevStatus >= STATUS_ERROR_FIRST && prevStatus <= STATUS_ERROR_LAST;
    // A rate limit is the server's failure, not the name's: an error, but it
    // does not bring the name nearer to "Too many errors".
    if (verdict.m_nKind == VerdictKind::RateLimited)
        return prevWasError ? prevStatus : uint8_t(STATUS_ERROR_FIRST);
    // A server without service for the name is a failure like any other,
    // also when a document is read back.
    if (verdict.m_nKind == VerdictKind::NoService)
        fallback = STATUS_ERROR_FIRST;
    // An empty text is classified as the fallback plus the error escalation,
    // which is exactly what a non-verdict must become.
    return ClassifyText(QByteArray(), prevStatus, fallback);
}
