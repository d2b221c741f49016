#include "model/TLDTable.h"

#include "base/TextCompare.h"
#include "model/ServerText.h"
#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSaveFile>

#include <algorithm>

CTLDTable g_tldTable;

namespace {
// As long as the shortest timer period the Options dialog allows.
constexpr std::chrono::seconds kResolveRetryPause{2};
}

namespace {

// The table's file bytes as this program last read or wrote them, so that
// exit leaves alone a file nobody here changed (another Telvaro, or
// telvaro-cli, may have written it meanwhile).
QByteArray& LastStoredTable()
{
    static QByteArray bytes;
    return bytes;
}

QByteArray SerializeTLDTable()
{
    QByteArray data;
    CArchive ar(&data);
    ar.WriteWord(uint16_t(g_tldTable.GetSize()));
    for (const auto& row : g_tldTable.m_rows) {
        ar.WriteObjectTag(CTLDInfo::classCTLDInfo);
        row->Serialize(ar);
    }
    return data;
}

}

const QEvent::Type CTLDResolvedEvent::kType = QEvent::Type(QEvent::registerEventType());

CTLDTable::~CTLDTable()
{
    RemoveAll();
}

CTLDInfo* CTLDTable::Add(std::unique_ptr<CTLDInfo> row)
{
    m_rows.push_back(std::move(row));
    return m_rows.back().get();
}

void CTLDTable::RemoveAt(qsizetype i)
{
    CTLDInfo* row = GetAt(i);
    if (row->m_hResolve != CTLDInfo::kNoRequest)
        CHostResolver::Cancel(row->m_hResolve);
    m_rows.erase(m_rows.begin() + i);
}

void CTLDTable::RemoveAll()
{
    for (const auto& row : m_rows) {
        if (row->m_hResolve != CTLDInfo::kNoRequest)
            CHostResolver::Cancel(row->m_hResolve);
    }
    m_rows.clear();
}

QString GetTLDFilePath()
{
    return GetProgramFolder() + QStringLiteral("qzn.tld");
}

void BuildDefaultTLDTable()
{
    // Today's whois servers of the registries for these TLDs.
    static const struct { const char* tld; const char* server; } kDefaults[] = {
        {"COM", "whois.verisign-grs.com"},
        {"NET", "whois.verisign-grs.com"},
        {"ORG", "whois.pir.org"},
        {"CO.UK", "whois.nic.uk"},
        {"NET.UK", "whois.nic.uk"},
        {"ORG.UK", "whois.nic.uk"},
        {"LTD.UK", "whois.nic.uk"},
        {"NU", "whois.iis.nu"},
        {"CC", "ccwhois.verisign-grs.com"},
        {"COM.AU", "whois.auda.org.au"},
        {"NET.AU", "whois.auda.org.au"},
        {"HK", "whois.hkirc.hk"},
    };
    g_tldTable.RemoveAll();
    bool first = true;
    for (const auto& d : kDefaults) {
        g_tldTable.Add(std::make_unique<CTLDInfo>(d.tld, d.server, first ? 1 : 0));
        first = false;
    }
}

CResult LoadTLDTable()
{
    const QString path = GetTLDFilePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        BuildDefaultTLDTable();
        LastStoredTable().clear();
        return CResult::Ok();
    }
    const QByteArray data = file.readAll();
    g_tldTable.RemoveAll();
    LastStoredTable().clear();
    CArchive ar{QByteArrayView(data)};
    try {
        ReadTLDRows(ar, g_tldTable);
    } catch (const CArchiveException& e) {
        return CResult::Failed(e.Describe(path));
    }
    LastStoredTable() = data;
    return CResult::Ok();
}

void ReadTLDRows(CArchive& ar, CTLDTable& table)
{
    const uint16_t count = ar.ReadWord();
    for (uint16_t i = 0; i < count; ++i) {
        ar.ReadObjectTag(CTLDInfo::classCTLDInfo);
        auto row = std::make_unique<CTLDInfo>();
        row->Serialize(ar);
        table.Add(std::move(row));
    }
}

CResult SaveTLDTable()
{
    const QByteArray data = SerializeTLDTable();
    const QString path = GetTLDFilePath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        return CResult::Failed(QStringLiteral("Telvaro could not save the TLD table to \"%1\": %2")
                                   .arg(path, file.errorString()));
    }
    LastStoredTable() = data;
    return CResult::Ok();
}

CResult SaveTLDTableIfChanged()
{
    return SerializeTLDTable() == LastStoredTable() ? CResult::Ok() : SaveTLDTable();
}

namespace {

CTLDInfo* FindRowNoCase(QByteArrayView tld)
{
    for (const auto& row : g_tldTable.m_rows) {
        if (EqualsNoCase(row->m_strTLD, tld))
            return row.get();
    }
    return nullptr;
}

bool IsLabelChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

}

CTLDInfo* FindTLD(QByteArrayView name)
{
    const qsizetype firstDot = name.indexOf('.');
    if (firstDot <= 0)
        return nullptr;
    if (CTLDInfo* row = FindRowNoCase(name.sliced(firstDot + 1)))
        return row;
    const qsizetype lastDot = name.lastIndexOf('.');
    if (lastDot > 0)
        return FindRowNoCase(name.sliced(lastDot + 1));
    return nullptr;
}

bool IsValidDomainName(QByteArrayView name)
{
    if (name.size() > 67)
        return false;
    const qsizetype firstDot = name.indexOf('.');
    if (firstDot <= 0)
        return false;
    const QByteArrayView label = name.first(firstDot);
    const QByteArrayView rest = name.sliced(firstDot + 1);
    if (label.front() == '-' || label.back() == '-')
        return false;
    if (!std::all_of(label.begin(), label.end(), IsLabelChar))
        return false;
    if (FindRowNoCase(rest))
        return true;
    const qsizetype dot = rest.indexOf('.');
    if (dot <= 0)
        return false;
    const QByteArrayView tail = rest.sliced(dot + 1);
    return tail.size() == 2 && FindRowNoCase(tail);
}

QByteArray GetWhoisServer(QByteArrayView name)
{
    const CTLDInfo* row = FindTLD(name);
    return row ? row->m_strServer : QByteArray();
}

QByteArray GetTLDText(QByteArrayView name)
{
    const CTLDInfo* row = FindTLD(name);
    return row ? row->m_strTLD : QByteArray();
}

QByteArray GetRegistrarURL(QByteArrayView name)
{
    const CTLDInfo* row = FindTLD(name);
    return row ? row->m_strRegistrar : QByteArray();
}

std::shared_ptr<CHostEntrySlot> FindHostEntrySlot(QByteArrayView name)
{
    const CTLDInfo* row = FindTLD(name);
    return row ? row->m_pHostEnt : nullptr;
}

bool ResolveWhoisServers(QObject* window)
{
    const auto now = std::chrono::steady_clock::now();
    for (const auto& row : g_tldTable.m_rows) {
        // An RDAP base is asked by URL; its host is resolved by the request.
        if (row->IsResolved() || row->m_hResolve != CTLDInfo::kNoRequest || now < row->m_retryAfter
            || IsRdapBase(row->m_strServer))
            continue;
        QByteArray host;
        uint16_t port;
        SplitServerText(row->m_strServer, &host, &port);
        row->m_hResolve = CHostResolver::Start(host, port, [receiver = QPointer<QObject>(window)](
                                                                int handle, const CResolveResult& result) {
            if (receiver) {
                CTLDResolvedEvent ev(handle, result);
                QCoreApplication::sendEvent(receiver, &ev);
            }
        });
    }
    return true;
}

int OnTLDResolved(int handle, const CResolveResult& result)
{
    const int count = int(g_tldTable.GetSize());
    if (handle == CTLDInfo::kNoRequest)
        return count;
    for (int i = 0; i < count; ++i) {
        CTLDInfo* row = g_tldTable.GetAt(i);
        if (row->m_hResolve != handle)
            continue;
        row->m_hResolve = CTLDInfo::kNoRequest;
        if (result.m_nError != 0 || !result.m_pEntry) {
            row->m_pHostEnt->Set(nullptr);
            row->m_retryAfter = std::chrono::steady_clock::now() + kResolveRetryPause;
            return ~i;
        }
        row->m_pHostEnt->Set(result.m_pEntry);
        return i;
    }
    return count;
}

bool NoServerResolved()
{
    return std::none_of(g_tldTable.m_rows.begin(), g_tldTable.m_rows.end(),
                        [](const auto& row) { return row->IsResolved() || IsRdapBase(row->m_strServer); });
}

void ResetTLDResolution()
{
    for (const auto& row : g_tldTable.m_rows) {
        row->m_pHostEnt->Set(nullptr);
        row->m_hResolve = CTLDInfo::kNoRequest;
        row->m_retryAfter = {};
    }
}

void SortTLDTable(int kind)
{
    auto& rows = g_tldTable.m_rows;
    if (kind == 0) {
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            if (a->m_strTLD.size() != b->m_strTLD.size())
                return a->m_strTLD.size() < b->m_strTLD.size();
            return CompareNoCase(a->m_strTLD, b->m_strTLD) < 0;
        });
    } else if (kind == 1) {
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return CompareNoCase(a->m_strServer, b->m_strServer) < 0;
        });
    }
}
