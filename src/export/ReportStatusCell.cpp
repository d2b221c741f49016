#include "export/ReportStatusCell.h"

#include "model/DomainInfo.h"

namespace {

// Keeps what follows the first occurrence of marker; false when absent.
bool KeepAfter(QByteArray& text, QByteArrayView marker)
{
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return false;
    text.remove(0, at + marker.size());
    return true;
}

// Cuts the text at the first occurrence of marker at or after position
// minPos; false when there is none.
bool CutAt(QByteArray& text, QByteArrayView marker, qsizetype minPos)
{
    const qsizetype at = text.indexOf(marker);
    if (at < minPos)
        return false;
    text.truncate(at);
    return true;
}

}

QByteArray CleanReportWhois(QByteArray text)
{
    if (!KeepAfter(text, "you agree to abide by this policy."))
        KeepAfter(text, "for detailed information.");
    // These paragraphs only count after the data, never at the very start.
    CutAt(text, "The NIC.UK Registration Host contains", 1);
    CutAt(text, "The NIC.CC Registration Services database contains", 1);
    if (!CutAt(text, "Admin", 0))
        CutAt(text, ">>> Last update of", 0);
    if (text.startsWith("\r\n"))
        text.remove(0, 2);
    // Trailing line breaks go; a "~" of the answer itself becomes one too.
    text.replace("\r\n", "~");
    while (text.endsWith('~'))
        text.chop(1);
    text.replace("~", "\r\n");
    text.replace("\r\n\r\n", "\r\n");
    text.replace("\r\r", "\r");
    text.replace("\n\n", "\n");
    return text;
}

QByteArray ReportStatusCell(const CDomainInfo& record, bool bSummary)
{
    if (record.IsBusy())
        return "Unknown";
    switch (record.m_nStatus) {
    case STATUS_AVAILABLE:
        return "AVAILABLE";
    case STATUS_TAKEN:
        return bSummary ? QByteArray("Already Registered") : CleanReportWhois(record.m_strWhois);
    default:
        return "Unknown";
    }
}
