#include "export/ExportDate.h"


QString IsoDateText(const COleDateTime& date)
{
    // The stored value is a wall-clock time, so it is printed as it is,
    // without a zone.
    QDate day;
    QTime time;
    if (!date.GetDateAndTime(day, time))
        return {};
    return day.toString(Qt::ISODate) + QLatin1Char('T') + time.toString(Qt::ISODate);
}

QString IsoDateValueText(const COleDateTime& date)
{
    COleDateTime value = date;
    value.SetStatus(COleDateTime::valid);
    if (!value.IsValid())
        value.m_dt = 0.0;
    return IsoDateText(value);
}
