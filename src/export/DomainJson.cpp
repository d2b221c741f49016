#include "export/DomainJson.h"

#include "export/DnsConfirmed.h"

#include "model/DomainInfo.h"
#include "model/TLDTable.h"
#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"

namespace {

QString Latin1(const QByteArray& text)
{
    return QString::fromLatin1(text);
}

}

QJsonObject DomainRecordToJson(const CDomainInfo& record, int index)
{
    return DomainRecordToJson(record, index, *CRuleStore::Current());
}

QJsonObject DomainRecordToJson(const CDomainInfo& record, int index, const CRulePack& pack)
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
    const std::optional<bool> confirmed = DnsConfirmed(record);
    o.insert(QLatin1String("confirmed"), confirmed ? QJsonValue(*confirmed) : QJsonValue(QJsonValue::Null));
    o.insert(QLatin1String("whois"), Latin1(record.m_strWhois));
    const QString rule = record.m_strWhois.isEmpty()
        ? QString()
        : pack.Classify(record.m_strWhois, GetWhoisServer(record.m_strName)).m_strRule;
    o.insert(QLatin1String("rule"), rule.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(rule));
    // Which channel the answer came through; every RDAP text starts so.
    o.insert(QLatin1String("channel"), record.m_strWhois.isEmpty() ? QJsonValue(QJsonValue::Null)
                                       : record.m_strWhois.startsWith("RDAP server: ") ? QJsonValue(QLatin1String("rdap"))
                                                                                      : QJsonValue(QLatin1String("whois")));
    return o;
}
