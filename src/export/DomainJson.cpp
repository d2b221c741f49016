#include "export/DomainJson.h"

#include "export/DnsConfirmed.h"
#include "model/DomainInfo.h"
#include "model/TLDTable.h"
#include "verdict/RulePack.h"
#include "verdict/Verdict.h"
#include "verdict/RuleStore.h"

namespace {

// The key and its colon, after the brace or comma that comes before.
void AppendKey(QByteArray& out, char before, const char* key)
{
    out += before;
    out += '"';
    out += key;
    out += "\":";
}

}

QByteArray DomainRecordJsonText(const CDomainInfo& record, int index)
{
    QByteArray out;
    AppendDomainRecordJson(out, record, index, *CRuleStore::Current());
    return out;
}

void AppendDomainRecordJson(QByteArray& out, const CDomainInfo& record, int index, const CRulePack& pack)
{
    const bool answered = !record.m_strWhois.isEmpty();
    // Which channel the answer came through; every RDAP text starts so.
    AppendKey(out, '{', "channel");
    out += !answered ? "null" : record.m_strWhois.startsWith("RDAP server: ") ? "\"rdap\"" : "\"whois\"";
    AppendKey(out, ',', "checked");
    if (record.m_dtChecked.IsValid())
        AppendJsonNumber(out, record.m_dtChecked.m_dt);
    else
        out += "null";
    AppendKey(out, ',', "confirmed");
    const std::optional<bool> confirmed = DnsConfirmed(record);
    out += !confirmed ? "null" : *confirmed ? "true" : "false";
    AppendKey(out, ',', "dns");
    AppendJsonLatin1(out, record.m_strDNS);
    AppendKey(out, ',', "index");
    out += QByteArray::number(index);
    AppendKey(out, ',', "name");
    AppendJsonLatin1(out, record.m_strName);
    AppendKey(out, ',', "rule");
    // Only a rule of the pack has an origin; "no rule matched" is no rule.
    const CVerdict verdict = answered ? pack.Classify(record.m_strWhois, GetWhoisServer(record.m_strName)) : CVerdict();
    if (verdict.m_strOrigin.isEmpty())
        out += "null";
    else
        AppendJsonString(out, verdict.m_strRule);
    AppendKey(out, ',', "selected");
    out += record.m_bSelected ? "true" : "false";
    AppendKey(out, ',', "status");
    out += QByteArray::number(int(record.m_nStatus));
    AppendKey(out, ',', "status_text");
    AppendJsonLatin1(out, record.StatusText());
    AppendKey(out, ',', "whois");
    AppendJsonLatin1(out, record.m_strWhois);
    out += '}';
}
