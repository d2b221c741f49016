#pragma once

#include <QDate>
#include <QString>

class CDomainInfo;

// The texts of a printed list that depend on a record or the day.

// "Taken [DNS: 1.2.3.4]" for a taken name whose address is known, "Taken"
// without it; the list's own texts for the other statuses.
QString PrintedStatusText(const CDomainInfo& record);
// When the record was last checked, in the user's formats; "-" when never.
QString PrintedCheckedText(const CDomainInfo& record);
// "12] kettle.com": the record's number in the list and its name.
QString PrintedLineText(int index, const CDomainInfo& record);
// "Tuesday, March 05, 2024".
QString PrintedDateText(const QDate& date);
// "Page-3".
QString PrintedPageText(int page);
