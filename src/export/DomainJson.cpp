#include "export/DomainJson.h"

#include "model/DomainInfo.h"

#include <QJsonDocument>

namespace {

QString Latin1(const QByteArray& text)
{
    return QString::fromLatin1(text);
}

void AppendUnicodeEscape(QByteArray& out, unsigned code)
{
    out += "\\u00";
    out += QByteArray::number(code, 16).rightJustified(2, '0');
}

}

QJsonObject DomainRecordToJson(const CDomainInfo& record, int index)
{
    QJsonObject o;
    o.insert(QLatin1String("index"), index);
    o.insert(QLatin1String("name"), Latin1(record.m_strName));
    o.insert(QLatin1String("status"), int(record.m_nStatus));
    o.insert(QLatin1String("status_text"), QLatin1String(record.StatusText()));
    o.insert(QLatin1String("checked"),
             record.m_dtChecked.IsValid() ? QJsonValue(record.m_dtChecked.m_dt) : QJsonValue(QJsonValue::Null));
    o.insert(QLatin1String("selected"), record.m_bSelected != 0);
    o.insert(QLatin1String("dns"), Latin1(record.m_strDNS));
    o.insert(QLatin1String("whois"), Latin1(record.m_strWhois));
    return o;
}

QByteArray JsonObjectText(const QJsonObject& object)
{
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Compact);
    // Outside strings the text is plain ASCII, so these bytes only occur
    // inside strings: 0x7F itself, and U+0080..U+009F as C2 80..C2 9F.
    QByteArray out;
    out.reserve(json.size() + 16);
    for (qsizetype i = 0; i < json.size(); ++i) {
        const auto c = static_cast<unsigned char>(json[i]);
        if (c == 0x7F) {
            AppendUnicodeEscape(out, c);
        } else if (c == 0xC2 && i + 1 < json.size() && static_cast<unsigned char>(json[i + 1]) <= 0x9F) {
            AppendUnicodeEscape(out, static_cast<unsigned char>(json[++i]));
        } else {
            out += char(c);
        }
    }
    return out;
}
