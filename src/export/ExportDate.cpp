#include "export/ExportDate.h"

#include <QDateTime>

QString IsoDateText(const COleDateTime& date)
{
    // The stored value is a wall-clock time, so it is printed as it is,
    // without a zone.
    const QDateTime t = date.ToDateTime();
    if (!t.isValid())
        return {};
    return t.date().toString(Qt::ISODate) + QLatin1Char('T') + t.time().toString(Qt::ISODate);
}

QString IsoDateValueText(const COleDateTime& date)
{
    COleDateTime value = date;
    value.SetStatus(COleDateTime::valid);
    if (!value.IsValid())
        value.m_dt = 0.0;
    return IsoDateText(value);
}
