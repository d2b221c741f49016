#include "model/OleDateTime.h"

#include <QLocale>

#include <cmath>

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMinDate = -657434.0;              // 1 January 100
constexpr double kMaxDate = 2958465.99999999;       // 31 December 9999
constexpr qint64 kMsPerDay = 86400000;

}

COleDateTime COleDateTime::GetCurrentTime()
{
    return FromDateTime(QDateTime::currentDateTime());
}

COleDateTime COleDateTime::FromDateTime(const QDateTime& local)
{
    COleDateTime dt;
    if (!local.isValid()) {
        dt.m_status = invalid;
        return dt;
    }
    const qint64 days = kEpoch.daysTo(local.date());
    const double frac = double(local.time().msecsSinceStartOfDay()) / double(kMsPerDay);
    // Before the epoch the fraction counts forward from the (negative) day.
    dt.m_dt = days >= 0 ? double(days) + frac : double(days) - frac;
    dt.m_status = valid;
    return dt;
}

bool COleDateTime::IsValid() const
{
    return m_status == valid && std::isfinite(m_dt) && m_dt >= kMinDate && m_dt <= kMaxDate;
}

QDateTime COleDateTime::ToDateTime() const
{
    QDate date;
    QTime time;
    if (!GetDateAndTime(date, time))
        return {};
    return QDateTime(date, time);
}

bool COleDateTime::GetDateAndTime(QDate& date, QTime& time) const
{
    if (!IsValid())
        return false;
    const double whole = std::trunc(m_dt);
    const double frac = std::fabs(m_dt - whole);
    qint64 ms = qint64(std::llround(frac * double(kMsPerDay)));
    qint64 days = qint64(whole);
    if (ms >= kMsPerDay) {   // rounding reached midnight
        ms -= kMsPerDay;
        days += 1;
    }
    date = kEpoch.addDays(days);
    time = QTime::fromMSecsSinceStartOfDay(int(ms));
    return true;
}

QString COleDateTime::FormatDateTime() const
{
    const QDateTime t = ToDateTime();
    if (!t.isValid())
        return {};
    const QLocale locale = QLocale::system();
    // The long time format carries seconds; drop its time-zone part.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    timeFormat = timeFormat.trimmed();
    return locale.toString(t.date(), QLocale::ShortFormat) + QStringLiteral(", ")
        + locale.toString(t.time(), timeFormat);
}
