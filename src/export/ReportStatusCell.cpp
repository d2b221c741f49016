#include "export/ReportStatusCell.h"

#include "export/TextSearch.h"
#include "model/DomainInfo.h"

namespace {

const CTextMarker kPolicy("you agree to abide by this policy.");
const CTextMarker kDetails("for detailed information.");
const CTextMarker kNicUk("The NIC.UK Registration Host contains");
const CTextMarker kNicCc("The NIC.CC Registration Services database contains");
const CTextMarker kAdmin("Admin");
const CTextMarker kLastUpdate(">>> Last update of");

// Keeps what follows the first occurrence of marker; false when absent.
bool KeepAfter(QByteArray& text, const CTextMarker& marker)
{
    const qsizetype at = marker.In(text);
    if (at < 0)
        return false;
    text.remove(0, at + marker.Size());
    return true;
}

// Cuts the text at the first occurrence of marker if it stands at minPos or
// later; false when it does not.
bool CutAt(QByteArray& text, const CTextMarker& marker, qsizetype minPos)
{
    const qsizetype at = marker.In(text);
    if (at < minPos)
        return false;
    text.truncate(at);
    return true;
}

}

QByteArray CleanReportWhois(QByteArray text)
{
    if (!KeepAfter(text, kPolicy))
        KeepAfter(text, kDetails);
    // These paragraphs only count after the data, never at the very start.
    CutAt(text, kNicUk, 1);
    CutAt(text, kNicCc, 1);
    if (!CutAt(text, kAdmin, 0))
        CutAt(text, kLastUpdate, 0);
    if (text.startsWith("\r\n"))
        text.remove(0, 2);
    // Trailing line breaks and "~" go; any other "~" becomes a line break.
    while (text.endsWith("\r\n") || text.endsWith('~'))
        text.chop(text.endsWith('~') ? 1 : 2);
    ReplaceShortText(text, "~", "\r\n");
    ReplaceShortText(text, "\r\n\r\n", "\r\n");
    ReplaceShortText(text, "\r\r", "\r");
    ReplaceShortText(text, "\n\n", "\n");
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
