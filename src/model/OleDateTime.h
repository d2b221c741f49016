#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// The automation date of the stored files: days since 30 December 1899
// 00:00 as a double (the fraction is the time of day) plus a status word.
class COleDateTime
{
public:
    enum DateTimeStatus : int32_t { valid = 0, invalid = 1, null = 2 };

    double m_dt = 0.0;
    int32_t m_status = null;

    static COleDateTime GetCurrentTime();
    static COleDateTime FromDateTime(const QDateTime& local);

    // Only a valid status counts as a date. A stored value that is not a
    // real date (NaN, infinite, outside the years 100 to 9999) does not
    // count either, so damaged files cannot upset sorting or display.
    bool IsValid() const;
    void SetStatus(DateTimeStatus s) { m_status = s; }

    QDateTime ToDateTime() const;   // local time; invalid unless IsValid()
    // The wall-clock date and time, without a time zone's say (a local
    // QDateTime moves times in a daylight-saving gap, and costs a zone
    // lookup); false unless IsValid().
    bool GetDateAndTime(QDate& date, QTime& time) const;

    // "date, time" in the user's locale, as the list's "Checked At" column
    // and the watch log show it.
    QString FormatDateTime() const;

    bool operator==(const COleDateTime& o) const = default;
};
