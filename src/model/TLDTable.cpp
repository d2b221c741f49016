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

CTLDInfo* CTLDTable::Add(std::shared_ptr<CTLDInfo> row)
{
    m_arrRows.push_back(std::move(row));
    CTLDInfo* added = m_arrRows.back().get();
    // An earlier row of the same TLD keeps answering for it.
    m_index.try_emplace(added->m_strTLD, added);
    return added;
}

void CTLDTable::Release(const std::shared_ptr<CTLDInfo>& row)
{
    // A pending request keeps a resolving row alive for the lookups that
    // wait on it; any other unresolved row will never be resolved now.
    if (row->m_hResolve == CTLDInfo::kNoRequest || !m_resolving.contains(row->m_hResolve))
        row->m_pHostEnt->Abandon();
}

void CTLDTable::RemoveAt(qsizetype i)
{
    const std::shared_ptr<CTLDInfo> row = m_arrRows[size_t(i)];
    m_arrRows.erase(m_arrRows.begin() + i);
    const auto it = m_index.find(row->m_strTLD);
    if (it != m_index.end() && it->second == row.get()) {
        // A later row of the same TLD, if any, answers for it now.
        m_index.erase(it);
        const auto next = std::find_if(m_arrRows.begin() + i, m_arrRows.end(),
                                       [&](const auto& r) { return EqualsNoCase(r->m_strTLD, row->m_strTLD); });
        if (next != m_arrRows.end())
            m_index.emplace((*next)->m_strTLD, next->get());
    }
    Release(row);
}

void CTLDTable::RemoveAll()
{
    Rows rows;
    rows.swap(m_arrRows);
    m_index.clear();
    for (const auto& row : rows)
        Release(row);
}

CTLDInfo* CTLDTable::FindRow(QByteArrayView tld) const
{
    const auto it = m_index.find(tld);
    return it == m_index.end() ? nullptr : it->second;
}

qsizetype CTLDTable::IndexOf(const CTLDInfo* row) const
{
    const auto it = std::find_if(m_arrRows.begin(), m_arrRows.end(), [row](const auto& r) { return r.get() == row; });
    return it == m_arrRows.end() ? -1 : qsizetype(it - m_arrRows.begin());
}

void CTLDTable::SetTLDText(qsizetype i, const QByteArray& tld)
{
    CTLDInfo* row = GetAt(i);
    if (row->m_strTLD == tld)
        return;
    row->m_strTLD = tld;
    // Which row comes first for a TLD depends on the order: build anew.
    RebuildIndex();
}

CTLDInfo* CTLDTable::AddOrUpdate(const QByteArray& tld, const QByteArray& server, bool* pAdded)
{
    CTLDInfo* row = FindRow(tld);
    if (pAdded)
        *pAdded = !row;
    if (row) {
        row->m_strServer = server;
        return row;
    }
    return Add(std::make_shared<CTLDInfo>(tld, server));
}

void CTLDTable::Sort(const std::function<bool(const CTLDInfo&, const CTLDInfo&)>& less)
{
    std::stable_sort(m_arrRows.begin(), m_arrRows.end(), [&](const auto& a, const auto& b) { return less(*a, *b); });
    RebuildIndex();
}

void CTLDTable::RebuildIndex()
{
    m_index.clear();
    m_index.reserve(m_arrRows.size());
    for (const auto& row : m_arrRows)
        m_index.try_emplace(row->m_strTLD, row.get());
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
    if (CTLDInfo* row = g_tldTable.FindRow(name.sliced(firstDot + 1)))
        return row;
    const qsizetype lastDot = name.lastIndexOf('.');
    if (lastDot > 0)
        return g_tldTable.FindRow(name.sliced(lastDot + 1));
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
    if (g_tldTable.FindRow(rest))
        return true;
    const qsizetype dot = rest.indexOf('.');
    if (dot <= 0)
        return false;
    const QByteArrayView tail = rest.sliced(dot + 1);
    return tail.size() == 2 && g_tldTable.FindRow(tail);
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

CTLDInfo* FindLookupRow(QByteArrayView name)
{
    if (CTLDInfo* row = FindTLD(name))
        return row;
    return FindTLD("abcd.com");
}

std::shared_ptr<CHostEntrySlot> FindHostEntrySlot(QByteArrayView name)
{
    const CTLDInfo* row = FindTLD(name);
    return row ? row->m_pHostEnt : nullptr;
}

void CTLDTable::StartResolving(qsizetype i, QObject* window, std::chrono::steady_clock::time_point now)
{
    const std::shared_ptr<CTLDInfo>& row = m_arrRows[size_t(i)];
    // An RDAP base is asked by URL; its host is resolved by the request.
    if (row->IsResolved() || row->m_hResolve != CTLDInfo::kNoRequest || now < row->m_retryAfter
        || IsRdapBase(row->m_strServer))
        return;
    QByteArray host;
    uint16_t port;
    SplitServerText(row->m_strServer, &host, &port);
    row->m_hResolve = CHostResolver::Start(host, port, [receiver = QPointer<QObject>(window)](
                                                            int handle, const CResolveResult& result) {
        if (receiver) {
            CTLDResolvedEvent ev(handle, result);
            QCoreApplication::sendEvent(receiver, &ev);
        } else {
            OnTLDResolved(handle, result);
        }
    });
    m_resolving.emplace(row->m_hResolve, row);
}

bool ResolveWhoisServers(QObject* window)
{
    const auto now = std::chrono::steady_clock::now();
    for (qsizetype i = 0; i < g_tldTable.GetSize(); ++i)
        g_tldTable.StartResolving(i, window, now);
    return true;
}

void ResolveWhoisServerOf(QByteArrayView name, QObject* window)
{
    if (const CTLDInfo* row = FindLookupRow(name))
        g_tldTable.StartResolving(g_tldTable.IndexOf(row), window, std::chrono::steady_clock::now());
}

int OnTLDResolved(int handle, const CResolveResult& result)
{
    const int count = int(g_tldTable.GetSize());
    if (handle == CTLDInfo::kNoRequest)
        return count;
    const auto held = g_tldTable.m_resolving.extract(handle);
    const bool resolved = result.m_nError == 0 && result.m_pEntry;
    for (int i = 0; i < count; ++i) {
        CTLDInfo* row = g_tldTable.GetAt(i);
        if (row->m_hResolve != handle)
            continue;
        row->m_hResolve = CTLDInfo::kNoRequest;
        if (!resolved) {
            row->m_pHostEnt->Set(nullptr);
            row->m_retryAfter = std::chrono::steady_clock::now() + kResolveRetryPause;
            return ~i;
        }
        row->m_pHostEnt->Set(result.m_pEntry);
        return i;
    }
    // A row deleted while it waited: its lookups started on its server.
    if (!held.empty() && held.mapped()->m_hResolve == handle) {
        CTLDInfo& row = *held.mapped();
        row.m_hResolve = CTLDInfo::kNoRequest;
        if (resolved)
            row.m_pHostEnt->Set(result.m_pEntry);
        else
            row.m_pHostEnt->Abandon();
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
    if (kind == 0) {
        g_tldTable.Sort([](const CTLDInfo& a, const CTLDInfo& b) {
            if (a.m_strTLD.size() != b.m_strTLD.size())
                return a.m_strTLD.size() < b.m_strTLD.size();
            return CompareNoCase(a.m_strTLD, b.m_strTLD) < 0;
        });
    } else if (kind == 1) {
        g_tldTable.Sort([](const CTLDInfo& a, const CTLDInfo& b) { return CompareNoCase(a.m_strServer, b.m_strServer) < 0; });
    }
}
