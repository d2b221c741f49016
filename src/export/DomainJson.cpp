#include "export/DomainJson.h"

#include "model/DomainInfo.h"

#include <QJsonDocument>

#include <cstring>

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
    // Most texts hold neither byte, and two quick scans tell.
    const auto find = [&json](char byte, qsizetype from) {
        const auto* at = static_cast<const char*>(std::memchr(json.constData() + from, byte, size_t(json.size() - from)));
        return at ? at - json.constData() : json.size();
    };
    qsizetype nextDel = find('\x7F', 0);
    qsizetype nextC2 = find('\xC2', 0);
    if (nextDel == json.size() && nextC2 == json.size())
        return json;
    QByteArray out;
    out.reserve(json.size() + 64);
    qsizetype done = 0;   // start of the part not yet copied
    while (nextDel < json.size() || nextC2 < json.size()) {
        if (nextDel < nextC2) {
            out.append(QByteArrayView(json).sliced(done, nextDel - done));
            AppendUnicodeEscape(out, 0x7F);
            done = nextDel + 1;
            nextDel = find('\x7F', done);
            continue;
        }
        const qsizetype at = nextC2;
        // C2 80..C2 9F; C2 A0 and up are printable.
        if (at + 1 < json.size() && static_cast<unsigned char>(json[at + 1]) <= 0x9F) {
            out.append(QByteArrayView(json).sliced(done, at - done));
            AppendUnicodeEscape(out, static_cast<unsigned char>(json[at + 1]));
            done = at + 2;
        }
        nextC2 = find('\xC2', at + 1);
    }
    out.append(QByteArrayView(json).sliced(done));
    return out;
}
