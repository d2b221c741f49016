#include "export/ExportDate.h"


QString IsoDateText(const COleDateTime& date)
{
    // The stored value is a wall-clock time, so it is printed as it is,
    // without a zone.
    QDate day;
    QTime time;
    if (!date.GetDateAndTime(day, time))
        return {};
    // By hand: this runs once per record of an export.
    char text[] = "0000-00-00T00:00:00";
    const auto put = [&text](int at, int value, int digits) {
        for (int i = at + digits - 1; i >= at; --i, value /= 10)
            text[i] = char('0' + value % 10);
    };
    put(0, day.year(), 4);   // a valid date lies in the years 100 to 9999
    put(5, day.month(), 2);
    put(8, day.day(), 2);
    put(11, time.hour(), 2);
    put(14, time.minute(), 2);
    put(17, time.second(), 2);
    return QString::fromLatin1(text);
}

QString IsoDateValueText(const COleDateTime& date)
{
    COleDateTime value = date;
    value.SetStatus(COleDateTime::valid);
    if (!value.IsValid())
        value.m_dt = 0.0;
    return IsoDateText(value);
}
