#include "model/TLDTable.h"

#include "model/TextCompare.h"
#include "shell/ProgramFolder.h"
#include "shell/UserMessage.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstring>

CTLDTable g_tldTable;

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
    if (row->m_hResolve != CTLDInfo::kNoRequest && QCoreApplication::instance())
        QHostInfo::abortHostLookup(row->m_hResolve);
    m_rows.erase(m_rows.begin() + i);
}

void CTLDTable::RemoveAll()
{
    for (const auto& row : m_rows) {
        if (row->m_hResolve != CTLDInfo::kNoRequest && QCoreApplication::instance())
            QHostInfo::abortHostLookup(row->m_hResolve);
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

bool LoadTLDTable()
{
    const QString path = GetTLDFilePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        BuildDefaultTLDTable();
        return true;
    }
    const QByteArray data = file.readAll();
    g_tldTable.RemoveAll();
    CArchive ar{QByteArrayView(data)};
    try {
        const uint16_t count = ar.ReadWord();
        for (uint16_t i = 0; i < count; ++i) {
            ar.ReadObjectTag(CTLDInfo::classCTLDInfo);
            auto row = std::make_unique<CTLDInfo>();
            row->Serialize(ar);
            g_tldTable.Add(std::move(row));
        }
    } catch (const CArchiveException& e) {
        ReportUserError(e.Describe(path));
        return false;
    }
    return true;
}

bool SaveTLDTable()
{
    QByteArray data;
    CArchive ar(&data);
    ar.WriteWord(uint16_t(g_tldTable.GetSize()));
    for (const auto& row : g_tldTable.m_rows) {
        ar.WriteObjectTag(CTLDInfo::classCTLDInfo);
        row->Serialize(ar);
    }
    const QString path = GetTLDFilePath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        ReportUserError(QStringLiteral("Telvaro could not save the TLD table to \"%1\": %2")
                            .arg(path, file.errorString()));
        return false;
    }
    return true;
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
    for (const auto& row : g_tldTable.m_rows) {
        if (row->IsResolved() || row->m_hResolve != CTLDInfo::kNoRequest)
            continue;
        QByteArray host;
        uint16_t port;
        SplitServerText(row->m_strServer, &host, &port);
        row->m_hResolve = QHostInfo::lookupHost(QString::fromLatin1(host), window,
                                                [window](const QHostInfo& info) {
                                                    CTLDResolvedEvent ev(info);
                                                    QCoreApplication::sendEvent(window, &ev);
                                                });
    }
    return true;
}

namespace {

std::shared_ptr<const CHostEntry> MakeHostEntry(const QByteArray& server, const QHostInfo& info)
{
    QByteArray host;
    uint16_t port;
    SplitServerText(server, &host, &port);
    auto entry = std::make_shared<CHostEntry>();
    entry->m_strHostName = info.hostName().toLatin1();
    for (const QHostAddress& a : info.addresses()) {
        CHostAddress addr;
        bool isV4 = false;
        const quint32 v4 = a.toIPv4Address(&isV4);
        if (isV4) {
            auto* sin = reinterpret_cast<sockaddr_in*>(&addr.m_addr);
            sin->sin_family = AF_INET;
            sin->sin_port = htons(port);
            sin->sin_addr.s_addr = htonl(v4);
            addr.m_nLength = sizeof(sockaddr_in);
        } else if (a.protocol() == QAbstractSocket::IPv6Protocol) {
            auto* sin6 = reinterpret_cast<sockaddr_in6*>(&addr.m_addr);
            sin6->sin6_family = AF_INET6;
            sin6->sin6_port = htons(port);
            const Q_IPV6ADDR v6 = a.toIPv6Address();
            std::memcpy(&sin6->sin6_addr, v6.c, sizeof v6.c);
            sin6->sin6_scope_id = a.scopeId().toUInt();
            addr.m_nLength = sizeof(sockaddr_in6);
        } else {
            continue;
        }
        entry->m_addresses.push_back(addr);
    }
    return entry;
}

}

int OnTLDResolved(int handle, const QHostInfo& result)
{
    const int count = int(g_tldTable.GetSize());
    if (handle == CTLDInfo::kNoRequest)
        return count;
    for (int i = 0; i < count; ++i) {
        CTLDInfo* row = g_tldTable.GetAt(i);
        if (row->m_hResolve != handle)
            continue;
        row->m_hResolve = CTLDInfo::kNoRequest;
        auto entry = result.error() == QHostInfo::NoError ? MakeHostEntry(row->m_strServer, result) : nullptr;
        if (!entry || entry->m_addresses.empty()) {
            row->m_pHostEnt->Set(nullptr);
            return ~i;
        }
        row->m_pHostEnt->Set(std::move(entry));
        return i;
    }
    return count;
}

bool NoServerResolved()
{
    return std::none_of(g_tldTable.m_rows.begin(), g_tldTable.m_rows.end(),
                        [](const auto& row) { return row->IsResolved(); });
}

void ResetTLDResolution()
{
    for (const auto& row : g_tldTable.m_rows) {
        row->m_pHostEnt->Set(nullptr);
        row->m_hResolve = CTLDInfo::kNoRequest;
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
