#include "base/Profile.h"

#include <QSettings>

namespace {

QString Key(const char* section, const char* entry)
{
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(entry);
}

QVariant Read(const char* section, const char* entry)
{
    return QSettings(QStringLiteral("Telvaro"), QStringLiteral("Telvaro")).value(Key(section, entry));
}

void Write(const char* section, const char* entry, const QVariant& value)
{
    QSettings(QStringLiteral("Telvaro"), QStringLiteral("Telvaro")).setValue(Key(section, entry), value);
}

}

int GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    const QVariant v = Read(section, entry);
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

QString GetProfileString(const char* section, const char* entry, const QString& defaultValue)
{
    const QVariant v = Read(section, entry);
    return v.isValid() ? v.toString() : defaultValue;
}

void WriteProfileInt(const char* section, const char* entry, int value)
{
    Write(section, entry, value);
}

void WriteProfileString(const char* section, const char* entry, const QString& value)
{
    Write(section, entry, value);
}
