#include "print/PrintTexts.h"

#include "model/DomainInfo.h"

#include <QLocale>

QString PrintedStatusText(const CDomainInfo& record)
{
    switch (record.m_nStatus) {
    case STATUS_UNKNOWN:
        return QStringLiteral("Unknown");
    case STATUS_CHECKING:
        return QStringLiteral("Checking");
    case STATUS_TAKEN:
        if (record.m_strDNS.isEmpty())
            return QStringLiteral("Taken");
        return QStringLiteral("Taken [DNS: %1]").arg(QString::fromLatin1(record.m_strDNS));
    case STATUS_AVAILABLE:
        return QStringLiteral("*AVAILABLE*");
    case STATUS_TOO_MANY_ERRORS:
        return QStringLiteral("Too many errors");
    default:
        return QStringLiteral("Error");
    }
}

QString PrintedCheckedText(const CDomainInfo& record)
{
    if (!record.m_dtChecked.IsValid())
        return QStringLiteral("-");
    return record.m_dtChecked.FormatDateTime();
}

QString PrintedLineText(int index, const CDomainInfo& record)
{
    return QStringLiteral("%1] %2").arg(QString::number(index + 1), QString::fromLatin1(record.m_strName));
}

QString PrintedDateText(const QDate& date)
{
    // The header's fixed English wording, like the rest of the page.
    return QLocale::c().toString(date, QStringLiteral("dddd, MMMM dd, yyyy"));
}

QString PrintedPageText(int page)
{
    return QStringLiteral("Page-%1").arg(page);
}
