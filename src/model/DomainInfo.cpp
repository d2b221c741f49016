#include "model/DomainInfo.h"

#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"
#include "verdict/WhoisAnswer.h"

#include <climits>
#include <cstdlib>

const CRuntimeClass CDomainInfo::classCDomainInfo = {"CDomainInfo", 1};

const char* GetStatusText(int status)
{
    switch (status) {
    case STATUS_UNKNOWN:
        return "Unknown";
    case STATUS_CHECKING:
        return "Checking";
    case STATUS_TAKEN:
        return "Not Available";
    case STATUS_AVAILABLE:
        return "*AVAILABLE*";
    case STATUS_TOO_MANY_ERRORS:
        return "Too many errors";
    default:
        return "Error";
    }
}

CDomainInfo::CDomainInfo() = default;

CDomainInfo::~CDomainInfo()
{
    // A worker still running for this record keeps its own connection; it is
    // told to stop, and its result will find no record.
    if (m_pConn)
        m_pConn->Detach();
}

QByteArray CDomainInfo::BuildStoredName() const
{
    QByteArray text = m_strName;
    if (!m_strDNS.isEmpty())
        text += '~' + m_strDNS;
    if (m_nMarker == 1)
        text += "@1";
    else if (m_nMarker == 2)
        text += "@2";
    if (m_nNumber > 0)
        text += '!' + QByteArray::number(m_nNumber);
    return text;
}

namespace {

// What a C atol() reads from the start of text, held to 32 bits.
int32_t LeadingNumber(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            value = int64_t(INT32_MAX) + 1;
    }
    if (negative)
        return int32_t(-value);
    return value > INT32_MAX ? INT32_MAX : int32_t(value);
}

}

void CDomainInfo::TakeApartStoredName(QByteArray text)
{
    m_nNumber = 0;
    if (text.contains("@1")) {
        m_nMarker = 1;
        text.replace("@1", "");
    } else if (text.contains("@2")) {
        m_nMarker = 2;
        text.replace("@2", "");
    } else {
        m_nMarker = 0;
    }
    if (const qsizetype bang = text.indexOf('!'); bang >= 0) {
        m_nNumber = LeadingNumber(QByteArrayView(text).sliced(bang + 1));
        text.truncate(bang);
    }
    if (const qsizetype tilde = text.indexOf('~'); tilde >= 0) {
        m_strDNS = text.mid(tilde + 1);
        text.truncate(tilde);
    }
    m_strName = text;
}

void CDomainInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(BuildStoredName());
        ar.WriteString(m_strWhois);
        ar.WriteLong(m_dtChecked.m_status);
        ar.WriteDouble(m_dtChecked.m_dt);
        ar.WriteByte(m_bSelected);
    } else {
        QByteArray stored = ar.ReadString();
        m_strWhois = ar.ReadString();
        m_dtChecked.m_status = ar.ReadLong();
        m_dtChecked.m_dt = ar.ReadDouble();
        m_bSelected = ar.ReadByte();
        TakeApartStoredName(std::move(stored));
    }
}

void CleanWhoisAnswer(CDomainInfo& record, bool strip)
{
    if (strip)
        CleanWhoisText(record.m_strWhois);
}

void ClassifyAnswer(CDomainInfo& record, uint8_t fallback)
{
    ClassifyAnswer(record, fallback, *CRuleStore::Current());
}

void ClassifyAnswer(CDomainInfo& record, uint8_t fallback, const CRulePack& pack, QByteArrayView server)
{
    record.m_nStatus = VerdictStatus(pack.Classify(record.m_strWhois, server), record.m_nPrevStatus, fallback);
}
