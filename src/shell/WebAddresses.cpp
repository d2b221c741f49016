#include "shell/WebAddresses.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

QString Encoded(QByteArrayView name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(name)));
}

}

QString WebsiteURL(QByteArrayView name)
{
    return QStringLiteral("http://www.") + Encoded(name);
}

QString ExpandRegistrarURL(const QString& templ, QByteArrayView name)
{
    QString url = templ;
    url.replace(QStringLiteral("{D}"), Encoded(name.toByteArray().toLower()));
    return url;
}

QString WithWebScheme(const QString& address)
{
    static const QRegularExpression scheme(QStringLiteral("^([a-z][a-z0-9+.-]*://|mailto:|file:)"),
                                           QRegularExpression::CaseInsensitiveOption);
    return scheme.match(address).hasMatch() ? address : QStringLiteral("http://") + address;
}

QByteArray TrademarkLabel(QByteArrayView name)
{
    const qsizetype dot = name.indexOf('.');
    return (dot < 0 ? name : name.first(dot)).toByteArray();
}

QByteArray StoredAddress(const QString& address)
{
    QByteArray stored;
    for (const char32_t c : address.toUcs4()) {
        if (c <= 0xFF)
            stored += char(c);
        else
            stored += QString::fromUcs4(&c, 1).toUtf8().toPercentEncoding();
    }
    return stored;
}
