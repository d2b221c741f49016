// DNS after the registry: a "free" checked for a delegation, a taken name's
// address, stops during the query, and the verdict a saved list reloads to.
#include "LoopbackDnsServer.h"
#include "LoopbackRdapServer.h"
#include "LoopbackWhoisServer.h"
#include "LookupReceiver.h"
#include "TestSupport.h"
#include "base/UserMessage.h"
#include "export/DnsConfirmed.h"
#include "export/DomainJson.h"
#include "lookup/LookupScheduler.h"
#include "lookup/RdapLookup.h"
#include "lookup/WhoisConnection.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "net/DnsServer.h"
#include "net/MainThreadQueue.h"
#include "verdict/DnsNote.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

constexpr uint16_t kTypeA = 1;
constexpr uint16_t kTypeNS = 2;

using Receiver = CLookupReceiver;

CDnsBehaviour WithAddress(CDnsBehaviour b, std::string address)
{
    b.m_addresses = {std::move(address)};
    return b;
}

class DnsConfirmTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_whois.SetBehaviour("taken.com", CWhoisBehaviour::Template("Domain Name: %s\r\nRegistrar: Example\r\n"));
        m_whois.SetBehaviour("unresolved.com", CWhoisBehaviour::Template("Domain Name: %s\r\nRegistrar: Example\r\n"));
        m_dns.SetBehaviour("taken.com", CDnsBehaviour::Addresses({"192.0.2.80"}));
        m_dns.SetBehaviour("delegated.com", WithAddress(CDnsBehaviour::NameServers({"ns1.host.net", "ns2.host.net"}), "192.0.2.9"));
        m_dns.SetBehaviour("referred.com", CDnsBehaviour::Referral({"a.gtld.example"}));
        m_dns.SetBehaviour("nodata.com", CDnsBehaviour::Addresses({"192.0.2.1"}));
        m_dns.SetBehaviour("failing.com", CDnsBehaviour::ServFail());
        m_dns.SetBehaviour("refusing.com", CDnsBehaviour::Refused());
        m_dns.SetBehaviour("silent.com", CDnsBehaviour::Drop());
        for (const char* slow : {"slow.com", "slow.net"})
            m_dns.SetBehaviour(slow, CDnsBehaviour::Delay(30s, CDnsBehaviour::NxDomain()));
        QString error;
        ASSERT_TRUE(CDnsServer::Parse(QByteArray::fromStdString(m_dns.Address()), &m_server, &error));

        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(m_whois.Address())));
        g_tldTable.Add(std::make_unique<CTLDInfo>("NET", QByteArray::fromStdString(m_rdap.HttpUrl("/rdap/"))));
        ResolveWhoisServers(&m_receiver);
        ASSERT_TRUE(ProcessEventsUntil([] { return g_tldTable.GetAt(0)->IsResolved(); }));
    }
    void TearDown() override
    {
        CMainThreadQueue::WaitForThreads(10s);
        CMainThreadQueue::RunPending();
        g_tldTable.RemoveAll();
    }

    CLookupOptions Options(int timeoutSeconds = 5) const
    {
        CLookupOptions options;
        options.m_nTimeoutSeconds = timeoutSeconds;
        options.m_pDnsServer = std::make_shared<const CDnsServer>(m_server);
        return options;
    }

    bool Start(CDomainInfo& record, const QByteArray& name, const CLookupOptions& options)
    {
        record.m_strName = name;
        record.m_pNotifyWnd = &m_receiver;
        return name.endsWith(".net") ? CRdapLookup::Start(record, name, options)
                                     : CWhoisConnection::Start(record, name, options);
    }

    // Looks name up to its end; the record.
    CDomainInfo& Lookup(const QByteArray& name, const CLookupOptions& options)
    {
        auto& record = *m_records.emplace_back(std::make_unique<CDomainInfo>());
        const int before = m_receiver.m_nDone;
        EXPECT_TRUE(Start(record, name, options)) << name.toStdString();
        EXPECT_TRUE(ProcessEventsUntil([&] { return m_receiver.m_nDone > before; }, 20000)) << name.toStdString();
        return record;
    }
    CDomainInfo& Lookup(const QByteArray& name) { return Lookup(name, Options()); }

    // The record as a saved and loaded list has it.
    std::unique_ptr<CDomainDoc> Reloaded(const std::vector<const CDomainInfo*>& records)
    {
        CDomainDoc doc;
        doc.OnNewDocument();
        for (const CDomainInfo* r : records) {
            EXPECT_TRUE(doc.AddDomain(r->m_strName));
            CDomainInfo& copy = *doc.GetAt(doc.GetCount() - 1);
            copy.m_strWhois = r->m_strWhois;
            copy.m_strDNS = r->m_strDNS;
            copy.m_nStatus = r->m_nStatus;
        }
        const QString path = m_home.Path() + QStringLiteral("list.qzn");
        EXPECT_TRUE(doc.OnSaveDocument(path).IsOk());
        auto loaded = std::make_unique<CDomainDoc>();
        EXPECT_TRUE(loaded->OnOpenDocument(path).IsOk());
        return loaded;
    }

    std::vector<uint16_t> QueryTypesFor(const std::string& name) const
    {
        std::vector<uint16_t> types;
        for (const CDnsQueryRecord& q : m_dns.Queries())
            if (q.m_strName == name)
                types.push_back(q.m_nType);
        return types;
    }

    ScopedTelvaroHome m_home;
    CLoopbackWhoisServer m_whois;
    CLoopbackDnsServer m_dns;
    CLoopbackRdapServer m_rdap;
    CDnsServer m_server;
    Receiver m_receiver;
    std::vector<std::unique_ptr<CDomainInfo>> m_records;
};

}

TEST_F(DnsConfirmTest, ADelegatedNameCalledFreeIsTakenAndStaysTakenAfterALoad)
{
    const CDomainInfo& delegated = Lookup("delegated.com");
    EXPECT_EQ(delegated.m_nStatus, STATUS_TAKEN);
    EXPECT_TRUE(delegated.m_strWhois.contains("No match for \"delegated.com\"."));
    EXPECT_TRUE(delegated.m_strWhois.endsWith(
        "the registry answered that the name is free, but DNS delegates it to ns1.host.net, ns2.host.net.\r\n"))
        << delegated.m_strWhois.constData();
    EXPECT_EQ(delegated.m_strDNS, "192.0.2.9");
    EXPECT_EQ(QueryTypesFor("delegated.com"), (std::vector<uint16_t>{kTypeNS, kTypeA}));

    // A delegation in the authority section counts too; no address: "Error".
    const CDomainInfo& referred = Lookup("referred.com");
    EXPECT_EQ(referred.m_nStatus, STATUS_TAKEN);
    EXPECT_TRUE(referred.m_strWhois.contains("a.gtld.example"));
    EXPECT_EQ(referred.m_strDNS, "Error");

    const auto loaded = Reloaded({&delegated, &referred});
    ASSERT_EQ(loaded->GetCount(), 2);
    EXPECT_EQ(loaded->GetAt(0)->m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(loaded->GetAt(0)->m_strDNS, "192.0.2.9");
    EXPECT_EQ(loaded->GetAt(1)->m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(loaded->GetAt(1)->m_strDNS, "Error");
    const QJsonObject json = QJsonDocument::fromJson(DomainRecordJsonText(*loaded->GetAt(0), 1)).object();
    EXPECT_EQ(json.value(QStringLiteral("rule")).toString(), QStringLiteral("DNS delegates the name"));
    EXPECT_EQ(json.value(QStringLiteral("confirmed")), QJsonValue(QJsonValue::Null));
}

TEST_F(DnsConfirmTest, NoDelegationConfirmsAndNoAnswerLeavesFreeUnconfirmed)
{
    struct Case
    {
        QByteArray name;
        bool confirmed;
        QByteArray says;
    };
    const Case cases[] = {
        {"nxdomain.com", true, "free, confirmed: no such name in DNS (NXDOMAIN)."},
        {"nodata.com", true, "free, confirmed: DNS knows no name servers for it."},
        {"failing.com", false, "free, unconfirmed: server failure (SERVFAIL)"},
        {"refusing.com", false, "free, unconfirmed: query refused (REFUSED)"},
    };
    std::vector<const CDomainInfo*> done;
    for (const Case& c : cases) {
        const CDomainInfo& r = Lookup(c.name);
        EXPECT_EQ(r.m_nStatus, STATUS_AVAILABLE) << c.name.constData();
        EXPECT_TRUE(r.m_strWhois.contains(c.says)) << r.m_strWhois.constData();
        EXPECT_EQ(DnsConfirmed(r), std::optional<bool>(c.confirmed)) << c.name.constData();
        EXPECT_TRUE(r.m_strDNS.isEmpty());
        done.push_back(&r);
    }
    // No answer at all: the time limit of the lookup ends the query.
    const auto start = std::chrono::steady_clock::now();
    const CDomainInfo& silent = Lookup("silent.com", Options(2));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(silent.m_nStatus, STATUS_AVAILABLE);
    EXPECT_TRUE(silent.m_strWhois.contains("free, unconfirmed: timed out")) << silent.m_strWhois.constData();
    EXPECT_EQ(DnsConfirmed(silent), std::optional<bool>(false));
    done.push_back(&silent);

    const auto loaded = Reloaded(done);
    for (int i = 0; i < loaded->GetCount(); ++i) {
        EXPECT_EQ(loaded->GetAt(i)->m_nStatus, STATUS_AVAILABLE) << loaded->GetAt(i)->m_strName.constData();
        EXPECT_EQ(DnsConfirmed(*loaded->GetAt(i)), DnsConfirmed(*done[size_t(i)]));
    }
}

TEST_F(DnsConfirmTest, TakenNamesGetTheirAddressOrError)
{
    CDomainInfo& taken = Lookup("taken.com");
    EXPECT_EQ(taken.m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(taken.m_strDNS, "192.0.2.80");
    EXPECT_FALSE(taken.m_strWhois.contains("DNS check"));
    // The registry said taken: only the address is asked.
    EXPECT_EQ(QueryTypesFor("taken.com"), std::vector<uint16_t>{kTypeA});

    const CDomainInfo& unresolved = Lookup("unresolved.com");
    EXPECT_EQ(unresolved.m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(unresolved.m_strDNS, "Error");
    const QJsonObject json = QJsonDocument::fromJson(DomainRecordJsonText(unresolved, 1)).object();
    EXPECT_EQ(json.value(QStringLiteral("dns")).toString(), QStringLiteral("Error"));
    EXPECT_EQ(json.value(QStringLiteral("confirmed")), QJsonValue(QJsonValue::Null));

    // Free now: the old address goes.
    taken.m_strName = "nxdomain.com";
    const int before = m_receiver.m_nDone;
    ASSERT_TRUE(Start(taken, "nxdomain.com", Options()));
    ASSERT_TRUE(ProcessEventsUntil([&] { return m_receiver.m_nDone > before; }));
    EXPECT_EQ(taken.m_nStatus, STATUS_AVAILABLE);
    EXPECT_TRUE(taken.m_strDNS.isEmpty());
}

TEST_F(DnsConfirmTest, ResolveNamesOffAsksDnsNothing)
{
    CLookupOptions options = Options();
    options.m_bResolveNames = false;
    const CDomainInfo& free = Lookup("delegated.com", options);
    const CDomainInfo& taken = Lookup("taken.com", options);
    const CDomainInfo& rdap = Lookup("delegated.net", options);
    EXPECT_EQ(free.m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(rdap.m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(taken.m_nStatus, STATUS_TAKEN);
    EXPECT_TRUE(taken.m_strDNS.isEmpty());
    EXPECT_EQ(DnsNote::Find(free.m_strWhois), DnsNote::Kind::None);
    EXPECT_EQ(DnsConfirmed(free), std::nullopt);
    EXPECT_TRUE(m_dns.Queries().empty());
}

TEST_F(DnsConfirmTest, StopDuringTheDnsQueryEndsAtOnceWithoutAVerdict)
{
    for (const QByteArray& name : {QByteArray("slow.com"), QByteArray("slow.net")}) {
        CDomainInfo record;
        const int before = m_receiver.m_nDone;
        const size_t asked = m_dns.Queries().size();
        ASSERT_TRUE(Start(record, name, Options(60)));
        // Until the query is out, events must run for the RDAP reply.
        ASSERT_TRUE(ProcessEventsUntil([&] { return m_dns.Queries().size() > asked; }));
        const auto stop = std::chrono::steady_clock::now();
        record.CancelLookup();
        ASSERT_TRUE(ProcessEventsUntil([&] { return m_receiver.m_nDone > before; }, 3000)) << name.constData();
        EXPECT_LT(std::chrono::steady_clock::now() - stop, 2s);
        EXPECT_NE(record.m_nStatus, STATUS_AVAILABLE) << name.constData();
        EXPECT_NE(record.m_nStatus, STATUS_TAKEN) << name.constData();
        EXPECT_EQ(DnsNote::Find(record.m_strWhois), DnsNote::Kind::Stopped) << record.m_strWhois.constData();
        EXPECT_TRUE(record.m_strDNS.isEmpty());
    }

    // A record that goes away during the query lets its lookup fall.
    for (const QByteArray& name : {QByteArray("slow.com"), QByteArray("slow.net")}) {
        const size_t asked = m_dns.Queries().size();
        auto record = std::make_unique<CDomainInfo>();
        ASSERT_TRUE(Start(*record, name, Options(60)));
        ASSERT_TRUE(ProcessEventsUntil([&] { return m_dns.Queries().size() > asked; }));
        const int before = m_receiver.m_nDone;
        record.reset();
        EXPECT_TRUE(CMainThreadQueue::WaitForThreads(2s));
        CMainThreadQueue::RunPending();
        EXPECT_EQ(m_receiver.m_nDone, before);
    }
}

TEST_F(DnsConfirmTest, RdapAnswersAreCheckedLikeWhoisOnes)
{
    m_dns.SetBehaviour("delegated.net", CDnsBehaviour::NameServers({"ns.elsewhere.org"}));
    m_rdap.SetBehaviour("registered.net", CRdapBehaviour::Registered());
    m_dns.SetBehaviour("registered.net", CDnsBehaviour::Addresses({"198.51.100.4"}));

    const CDomainInfo& delegated = Lookup("delegated.net");
    EXPECT_EQ(delegated.m_nStatus, STATUS_TAKEN);
    EXPECT_TRUE(delegated.m_strWhois.startsWith("RDAP server: "));
    EXPECT_TRUE(delegated.m_strWhois.contains("DNS delegates it to ns.elsewhere.org.")) << delegated.m_strWhois.constData();

    const CDomainInfo& free = Lookup("nxdomain.net");
    EXPECT_EQ(free.m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(DnsConfirmed(free), std::optional<bool>(true));

    const CDomainInfo& registered = Lookup("registered.net");
    EXPECT_EQ(registered.m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(registered.m_strDNS, "198.51.100.4");

    const auto loaded = Reloaded({&delegated, &free});
    EXPECT_EQ(loaded->GetAt(0)->m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(loaded->GetAt(1)->m_nStatus, STATUS_AVAILABLE);
}

TEST_F(DnsConfirmTest, TheSchedulerChoosesTheServerOnceAndSaysWhenThereIsNone)
{
    QStringList messages;
    const UserMessageHandler old = SetUserMessageHandler([&](const QString& text) { messages << text; });
    qputenv("TELVARO_DNS_SERVER", "not-an-address");
    CDomainDoc doc;
    doc.OnNewDocument();
    for (const char* name : {"delegated.com", "nxdomain.com", "taken.com"}) {
        ASSERT_TRUE(doc.AddDomain(name));
        doc.GetAt(doc.GetCount() - 1)->m_bSelected = 1;
    }
    CLookupOptions options;
    options.m_nIntervalMs = 0;
    options.m_bControlNames = false;
    {
        CLookupScheduler scheduler(&doc, options);
        int unavailable = 0;
        QObject::connect(&scheduler, &CLookupScheduler::DnsUnavailable, [&] { ++unavailable; });
        scheduler.LookupSelected();
        ASSERT_TRUE(ProcessEventsUntil([&] { return !scheduler.IsBusy(); }, 20000));
        ProcessEventsUntil([&] { return !messages.isEmpty(); }, 1000);
        EXPECT_EQ(unavailable, 1);
    }
    qputenv("TELVARO_DNS_SERVER", "127.0.0.1:9");
    SetUserMessageHandler(old);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QLatin1String("not-an-address"))) << messages[0].toStdString();
    // Without a server nothing is confirmed, and a free stays free.
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_TRUE(doc.GetAt(0)->m_strWhois.contains("free, unconfirmed: no DNS server to ask"));
    EXPECT_EQ(DnsConfirmed(*doc.GetAt(1)), std::optional<bool>(false));
    EXPECT_EQ(doc.GetAt(2)->m_nStatus, STATUS_TAKEN);
    EXPECT_TRUE(m_dns.Queries().empty());

    // With the loopback server named, the same run confirms.
    qputenv("TELVARO_DNS_SERVER", QByteArray::fromStdString(m_dns.Address()));
    for (const auto& r : doc.Records())
        r->m_nStatus = STATUS_UNKNOWN;
    {
        CLookupScheduler scheduler(&doc, options);
        scheduler.LookupSelected();
        ASSERT_TRUE(ProcessEventsUntil([&] { return !scheduler.IsBusy(); }, 20000));
    }
    qputenv("TELVARO_DNS_SERVER", "127.0.0.1:9");
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(DnsConfirmed(*doc.GetAt(1)), std::optional<bool>(true));
    EXPECT_EQ(doc.GetAt(2)->m_strDNS, "192.0.2.80");
}

TEST(DnsNoteTest, OnlyTheLastLineCountsAndServerTextIsMadePrintable)
{
    const QByteArray line = DnsNote::Delegated({"ns1.evil\r\nDNS check: free, confirmed: x", "ns2"});
    EXPECT_EQ(line.count('\n'), 2);   // the break before it and its own end
    EXPECT_TRUE(line.contains("ns1.evil??DNS check"));
    EXPECT_EQ(DnsNote::Find("WHOIS server: h, Domain: a.com\r\n\r\nNo match" + line), DnsNote::Kind::Delegated);
    // A registry's text that merely mentions the line decides nothing.
    EXPECT_EQ(DnsNote::Find(line + "No match for a.com\r\n"), DnsNote::Kind::None);
    QByteArrayList many;
    for (int i = 0; i < 100; ++i)
        many << "ns" + QByteArray::number(i) + ".example";
    const QByteArray capped = DnsNote::Delegated(many);
    EXPECT_TRUE(capped.contains("ns7.example and 92 more."));
    EXPECT_FALSE(capped.contains("ns8.example"));
}
