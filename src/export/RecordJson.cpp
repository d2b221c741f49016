#include "export/RecordJson.h"

#include "model/DomainInfo.h"

namespace {

QString Text(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes);
}

}

QJsonObject RecordToJson(const CDomainInfo& record, int index)
{
    QJsonObject object;
    object.insert(QStringLiteral("index"), index + 1);
    object.insert(QStringLiteral("name"), Text(record.m_strName));
    object.insert(QStringLiteral("status"), int(record.m_nStatus));
    object.insert(QStringLiteral("status_text"), QString::fromLatin1(record.StatusText()));
    object.insert(QStringLiteral("checked"),
                  record.m_dtChecked.IsValid() ? QJsonValue(record.m_dtChecked.m_dt) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("selected"), record.m_bSelected != 0);
    object.insert(QStringLiteral("dns"), Text(record.m_strDNS));
    object.insert(QStringLiteral("whois"), Text(record.m_strWhois));
    return object;
}
