#include "lookup/RdapAnswer.h"

#include <QJsonArray>
#include <QLocale>
#include <QTimeZone>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

// Longer values are cut: a page of text is no name or date.
constexpr qsizetype kLongestValue = 200;
constexpr qsizetype kMostNameServers = 13;

// A value from the server as 8-bit text a pane can show.
QByteArray Shown(const QString& value)
{
    QString text = value.left(kLongestValue);
    text.erase(std::remove_if(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }),
               text.end());
    return text.trimmed().toLatin1();
}

QByteArray Line(const char* label, const QByteArray& value)
{
    return value.isEmpty() ? QByteArray() : QByteArray(label) + ": " + value + "\n";
}

// The "fn" of a vCard array: ["vcard", [["fn", {}, "text", "Name"], ...]].
QString VcardName(const QJsonValue& vcard)
{
    const QJsonArray properties = vcard.toArray().at(1).toArray();
    for (const QJsonValue& property : properties) {
        const QJsonArray p = property.toArray();
        if (p.at(0).toString() == QLatin1String("fn"))
            return p.at(3).toString();
    }
    return {};
}

QByteArray Registrar(const QJsonObject& domain)
{
    for (const QJsonValue& entity : domain.value(QLatin1String("entities")).toArray()) {
        const QJsonObject e = entity.toObject();
        if (e.value(QLatin1String("roles")).toArray().contains(QLatin1String("registrar"))) {
            const QString name = VcardName(e.value(QLatin1String("vcardArray")));
            return Shown(name.isEmpty() ? e.value(QLatin1String("handle")).toString() : name);
        }
    }
    return {};
}

QByteArray EventDate(const QJsonObject& domain, const char* action)
{
    for (const QJsonValue& event : domain.value(QLatin1String("events")).toArray()) {
        const QJsonObject e = event.toObject();
        if (e.value(QLatin1String("eventAction")).toString() == QLatin1String(action))
            return Shown(e.value(QLatin1String("eventDate")).toString());
    }
    return {};
}

QByteArray Joined(const QJsonArray& values, const char* key)
{
    QByteArrayList parts;
    for (const QJsonValue& v : values) {
        const QString text = key ? v.toObject().value(QLatin1String(key)).toString() : v.toString();
        if (!text.isEmpty() && parts.size() < kMostNameServers)
            parts << Shown(text);
    }
    return parts.join(", ");
}

}

namespace RdapAnswer {

QByteArray Header(const QByteArray& url, const QByteArray& name)
{
    return "RDAP server: " + url + ", Domain: " + name + "\n\n";
}

std::optional<QByteArray> RenderDomain(const QByteArray& body)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return std::nullopt;
    const QJsonObject domain = json.object();
    const QString kind = domain.value(QLatin1String("objectClassName")).toString();
    const QString ldhName = domain.value(QLatin1String("ldhName")).toString();
    if (kind != QLatin1String("domain") || ldhName.isEmpty())
        return std::nullopt;
    QByteArray text = "RDAP: registered\n";
    text += Line("Domain Name", Shown(ldhName));
    const QString unicodeName = domain.value(QLatin1String("unicodeName")).toString();
    if (unicodeName.compare(ldhName, Qt::CaseInsensitive) != 0)
        text += Line("Unicode Name", Shown(unicodeName));
    text += Line("Status", Joined(domain.value(QLatin1String("status")).toArray(), nullptr));
    text += Line("Registrar", Registrar(domain));
    text += Line("Registration Date", EventDate(domain, "registration"));
    text += Line("Expiration Date", EventDate(domain, "expiration"));
    text += Line("Last Changed", EventDate(domain, "last changed"));
    text += Line("Name Servers", Joined(domain.value(QLatin1String("nameservers")).toArray(), "ldhName"));
    return text;
}

QByteArray NotFound()
{
    return "RDAP: not found\nThe registry has no record of this name (HTTP 404).\n";
}

QByteArray RateLimited(int httpStatus, std::optional<int> retryAfterSeconds)
{
    QByteArray text = httpStatus == 429 ? "RDAP: too many requests (HTTP 429)" : "RDAP: server too busy (HTTP 503)";
    if (retryAfterSeconds)
        text += "; retry after " + QByteArray::number(*retryAfterSeconds) + " seconds";
    return text + ".\n";
}

QByteArray Failure(const QByteArray& what)
{
    return "RDAP: " + what + "\n";
}

std::optional<int> ParseRetryAfter(const QByteArray& value, const QDateTime& now)
{
    const QByteArray text = value.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong seconds = text.toLongLong(&ok);
    if (ok)
        return seconds < 0 ? std::nullopt : std::optional<int>(int(std::min<qlonglong>(seconds, 86400)));
    // The HTTP date: "Thu, 10 Dec 2026 12:02:00 GMT".
    QDateTime at = QLocale::c().toDateTime(QString::fromLatin1(text), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
    if (!at.isValid())
        return std::nullopt;
    at.setTimeZone(QTimeZone::utc());
    return int(std::clamp<qint64>(now.secsTo(at), 0, 86400));
}

}
