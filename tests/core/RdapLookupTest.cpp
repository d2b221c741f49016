#include "LoopbackRdapServer.h"
#include "TestSupport.h"
#include "TlsTestSupport.h"
#include "lookup/RdapAnswer.h"
#include "lookup/RdapLookup.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"

#include <QSslConfiguration>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// Counts completions and keeps the last outcome, as the scheduler would.
class Receiver : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != CLookupDoneEvent::kType)
            return QObject::event(e);
        ++m_nDone;
        m_outcome = static_cast<CLookupDoneEvent*>(e)->m_outcome;
        return true;
    }
    int m_nDone = 0;
    CLookupOutcome m_outcome;
};

class RdapLookupTest : public ::testing::Test
{
protected:
    void SetUp() override { UseBase(m_server.HttpUrl("/rdap/")); }
    void TearDown() override
    {
        g_tldTable.RemoveAll();
        QSslConfiguration::setDefaultConfiguration(m_oldSsl);
    }

    void UseBase(const std::string& base)
    {
        g_tldTable.RemoveAll();
        g_tldTable.Add(std::make_unique<CTLDInfo>("COM", QByteArray::fromStdString(base)));
    }

    // Looks name up in m_record, to its end; the record's status after it.
    uint8_t Lookup(const QByteArray& name, int timeoutSeconds = 10)
    {
        m_record.m_strName = name;
        m_record.m_pNotifyWnd = &m_receiver;
        CLookupOptions options;
        options.m_nTimeoutSeconds = timeoutSeconds;
        options.m_bResolveNames = false;   // what the RDAP server said alone
        const int before = m_receiver.m_nDone;
        EXPECT_TRUE(CRdapLookup::Start(m_record, name, options));
        EXPECT_TRUE(ProcessEventsUntil([&] { return m_receiver.m_nDone > before; }, 20000)) << name.toStdString();
        EXPECT_FALSE(m_record.IsBusy());
        return m_record.m_nStatus;
    }

    QByteArray Text() const { return m_record.m_strWhois; }
    // What the text's second part says, after the header and empty line.
    QByteArray Said() const { return Text().mid(Text().indexOf("\r\n\r\n") + 4); }

    ScopedTelvaroHome m_home;
    CLoopbackRdapServer m_server;
    Receiver m_receiver;
    CDomainInfo m_record;
    QSslConfiguration m_oldSsl = QSslConfiguration::defaultConfiguration();
};

}

TEST_F(RdapLookupTest, TheAddressIsTheBaseThenDomainThenTheName)
{
    EXPECT_EQ(CRdapLookup::QueryUrl("https://rdap.example/v1", "x.com").toString(),
              QStringLiteral("https://rdap.example/v1/domain/x.com"));
    EXPECT_EQ(CRdapLookup::QueryUrl("https://rdap.example/", "x.com").toString(),
              QStringLiteral("https://rdap.example/domain/x.com"));
    // Nothing in a name leaves the path.
    EXPECT_EQ(CRdapLookup::QueryUrl("https://rdap.example/", "a/../b?c#d").path(),
              QStringLiteral("/domain/a%2F..%2Fb%3Fc%23d"));
    const QUrl https(QStringLiteral("https://rdap.example/"));
    EXPECT_TRUE(CRdapLookup::MayRedirect(https, QUrl(QStringLiteral("https://other.example/"))));
    EXPECT_FALSE(CRdapLookup::MayRedirect(https, QUrl(QStringLiteral("http://rdap.example/"))));
    EXPECT_FALSE(CRdapLookup::MayRedirect(https, QUrl(QStringLiteral("ftp://rdap.example/"))));
    EXPECT_FALSE(CRdapLookup::MayRedirect(https, QUrl(QStringLiteral("file:///etc/passwd"))));
    EXPECT_TRUE(CRdapLookup::MayRedirect(QUrl(QStringLiteral("https://127.0.0.1:4/")), QUrl(QStringLiteral("http://127.0.0.1:5/"))));
}

TEST_F(RdapLookupTest, RegisteredNotFoundAndTheirTexts)
{
    m_server.SetBehaviour("taken.com", CRdapBehaviour::Registered());
    EXPECT_EQ(Lookup("taken.com"), STATUS_TAKEN);
    EXPECT_TRUE(Text().startsWith("RDAP server: " + QByteArray::fromStdString(m_server.HttpUrl("/rdap/domain/taken.com"))
                                  + ", Domain: taken.com\r\n\r\nRDAP: registered\r\nDomain Name: "))
        << Text().toStdString();
    EXPECT_TRUE(Text().contains("\r\nRegistrar: ")) << Text().toStdString();
    EXPECT_TRUE(Text().contains("\r\nExpiration Date: ")) << Text().toStdString();
    EXPECT_TRUE(Text().contains("\r\nName Servers: ")) << Text().toStdString();
    EXPECT_FALSE(Text().contains('{'));   // no JSON for people to read
    EXPECT_EQ(m_receiver.m_outcome.m_strServerKey, QByteArray::fromStdString(m_server.HttpUrl("/")).mid(7).chopped(1));
    EXPECT_EQ(m_receiver.m_outcome.m_verdict.m_nKind, VerdictKind::Taken);

    EXPECT_EQ(Lookup("free.com"), STATUS_AVAILABLE);
    EXPECT_TRUE(Said().startsWith("RDAP: not found\r\n")) << Text().toStdString();

    const auto requests = m_server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].m_strTarget, "/rdap/domain/taken.com");
    EXPECT_EQ(requests[0].m_strAccept, "application/rdap+json, application/json");
}

TEST_F(RdapLookupTest, ReloadingGivesTheSameVerdict)
{
    m_server.SetBehaviour("taken.com", CRdapBehaviour::Registered());
    m_server.SetBehaviour("busy.com", CRdapBehaviour::RateLimited(429, 30s));
    CDomainDoc doc;
    doc.OnNewDocument();
    for (const char* name : {"taken.com", "free.com", "busy.com"}) {
        const uint8_t status = Lookup(name);
        ASSERT_TRUE(doc.AddDomain(name));
        CDomainInfo& r = *doc.GetAt(doc.GetCount() - 1);
        r.m_strWhois = Text();
        r.m_nStatus = status;
    }
    const QString path = m_home.Path() + QStringLiteral("rdap.qzn");
    ASSERT_TRUE(doc.OnSaveDocument(path).IsOk());
    CDomainDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(path).IsOk());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reread.GetAt(i)->m_nStatus, doc.GetAt(i)->m_nStatus) << i;
    EXPECT_EQ(reread.GetAt(2)->m_nStatus, STATUS_ERROR_FIRST);
}

TEST_F(RdapLookupTest, RateLimitsAreNeverFreeAndSayHowLongToWait)
{
    m_server.SetBehaviour("a.com", CRdapBehaviour::RateLimited(429, 30s));
    EXPECT_EQ(Lookup("a.com"), STATUS_ERROR_FIRST);
    EXPECT_EQ(m_receiver.m_outcome.m_verdict.m_nKind, VerdictKind::RateLimited);
    EXPECT_EQ(m_receiver.m_outcome.m_verdict.m_nWaitSeconds, 30);

    m_server.SetBehaviour("b.com", CRdapBehaviour::RateLimitedUntil(503, std::chrono::system_clock::now() + 120s));
    EXPECT_EQ(Lookup("b.com"), STATUS_ERROR_FIRST);
    EXPECT_EQ(m_receiver.m_outcome.m_verdict.m_nKind, VerdictKind::RateLimited);
    EXPECT_NEAR(m_receiver.m_outcome.m_verdict.m_nWaitSeconds, 120, 5);

    // 503 without Retry-After, 400 and 500 are plain failures.
    for (int status : {503, 400, 500}) {
        const QByteArray name = "s" + QByteArray::number(status) + ".com";
        m_server.SetBehaviour(name.toStdString(), CRdapBehaviour::Answer(status, "{}"));
        EXPECT_EQ(Lookup(name), STATUS_ERROR_FIRST) << status;
        EXPECT_EQ(m_receiver.m_outcome.m_verdict.m_nKind, VerdictKind::Undetermined) << status;
        EXPECT_TRUE(Said().contains("HTTP " + QByteArray::number(status))) << Text().toStdString();
    }
}

TEST_F(RdapLookupTest, AnswersThatAreNoDomainObjectFail)
{
    m_server.SetBehaviour("bad.com", CRdapBehaviour::InvalidJson());
    EXPECT_EQ(Lookup("bad.com"), STATUS_ERROR_FIRST);
    EXPECT_TRUE(Said().startsWith("RDAP: the answer (HTTP 200) is not an RDAP domain object")) << Text().toStdString();

    m_server.SetBehaviour("html.com", CRdapBehaviour::Answer(200, "<html>hello</html>", "text/html"));
    EXPECT_EQ(Lookup("html.com"), STATUS_ERROR_FIRST);

    m_server.SetBehaviour("huge.com", CRdapBehaviour::Huge(3 << 20));
    EXPECT_EQ(Lookup("huge.com"), STATUS_ERROR_FIRST);
    EXPECT_TRUE(Said().startsWith("RDAP: the answer is larger than 1 MB")) << Text().toStdString();
}

TEST_F(RdapLookupTest, RedirectsAreFollowedWithinBounds)
{
    m_server.SetBehaviour("/rdap/domain/moved.com", CRdapBehaviour::Redirect(301, "/v2/domain/%s"));
    m_server.SetBehaviour("/v2/domain/moved.com", CRdapBehaviour::Registered());
    EXPECT_EQ(Lookup("moved.com"), STATUS_TAKEN);
    EXPECT_TRUE(Text().startsWith("RDAP server: " + QByteArray::fromStdString(m_server.HttpUrl("/v2/domain/moved.com"))));

    m_server.SetBehaviour("loop.com", CRdapBehaviour::Redirect(302, "/rdap/domain/%s"));
    EXPECT_EQ(Lookup("loop.com"), STATUS_ERROR_FIRST);
    EXPECT_TRUE(Said().startsWith("RDAP: more than five redirects")) << Text().toStdString();

    m_server.SetBehaviour("away.com", CRdapBehaviour::Redirect(307, "ftp://127.0.0.1/x"));
    EXPECT_EQ(Lookup("away.com"), STATUS_ERROR_FIRST);
    EXPECT_TRUE(Said().startsWith("RDAP: a redirect to an address that may not be followed")) << Text().toStdString();
}

TEST_F(RdapLookupTest, CertificatesAreVerified)
{
    const TestCertificates& certificates = TestCertificates::Shared();
    ASSERT_TRUE(certificates.IsValid()) << certificates.Error();
    CRdapServerOptions options;
    options.m_default = CRdapBehaviour::Registered();
    options.m_strCertFile = certificates.Loopback().m_strCertFile;
    options.m_strKeyFile = certificates.Loopback().m_strKeyFile;
    CLoopbackRdapServer secure(options);
    UseBase(secure.HttpsUrl("/"));

    EXPECT_EQ(Lookup("x.com"), STATUS_ERROR_FIRST);
    EXPECT_TRUE(Said().startsWith("RDAP: the server's certificate is not trusted")) << Text().toStdString();

    QSslConfiguration::setDefaultConfiguration(TestCertificates::Trusting(certificates.Loopback()));
    EXPECT_EQ(Lookup("y.com"), STATUS_TAKEN) << Text().toStdString();

    // Trusted, but made for another host.
    QSslConfiguration::setDefaultConfiguration(TestCertificates::Trusting(certificates.OtherHost()));
    CRdapServerOptions other = options;
    other.m_strCertFile = certificates.OtherHost().m_strCertFile;
    other.m_strKeyFile = certificates.OtherHost().m_strKeyFile;
    CLoopbackRdapServer wrongHost(other);
    UseBase(wrongHost.HttpsUrl("/"));
    EXPECT_EQ(Lookup("z.com"), STATUS_ERROR_FIRST);
    EXPECT_TRUE(Said().startsWith("RDAP: the server's certificate is not trusted")) << Text().toStdString();
}

TEST_F(RdapLookupTest, SlowServersMeetTheTimeLimitAndAStop)
{
    CRdapBehaviour slow = CRdapBehaviour::Registered();
    slow.m_nPiece = 10;
    slow.m_pause = 400ms;
    m_server.SetBehaviour("slow.com", slow);
    EXPECT_EQ(Lookup("slow.com", 1), STATUS_ERROR_FIRST);
    EXPECT_TRUE(Said().startsWith("RDAP: no answer within 1 seconds")) << Text().toStdString();

    // Stopped during the transfer, the lookup ends inside the stop itself.
    m_server.SetBehaviour("stuck.com", CRdapBehaviour::NeverAnswer());
    m_record.m_strName = "stuck.com";
    m_record.m_pNotifyWnd = &m_receiver;
    ASSERT_TRUE(CRdapLookup::Start(m_record, "stuck.com", CLookupOptions()));
    ASSERT_TRUE(m_server.WaitForRequests(m_server.RequestCount() + 1, 5s) || m_server.RequestCount() > 0);
    const auto handle = m_record.m_pConn;
    m_record.CancelLookup();
    EXPECT_TRUE(handle->WaitUntilFinished(std::chrono::steady_clock::now()));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_record.IsBusy(); }, 2000));
    EXPECT_TRUE(Said().startsWith("RDAP: stopped")) << Text().toStdString();
}

TEST(RdapAnswer, RetryAfterInSecondsOrAsADate)
{
    const QDateTime now = QDateTime(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(RdapAnswer::ParseRetryAfter("30", now), 30);
    EXPECT_EQ(RdapAnswer::ParseRetryAfter(" 0 ", now), 0);
    EXPECT_EQ(RdapAnswer::ParseRetryAfter("Thu, 10 Dec 2026 12:02:00 GMT", now), 120);
    EXPECT_EQ(RdapAnswer::ParseRetryAfter("Thu, 10 Dec 2026 11:00:00 GMT", now), 0);   // already past
    EXPECT_EQ(RdapAnswer::ParseRetryAfter("99999999999", now), 86400);
    EXPECT_FALSE(RdapAnswer::ParseRetryAfter("-5", now));
    EXPECT_FALSE(RdapAnswer::ParseRetryAfter("soon", now));
    EXPECT_FALSE(RdapAnswer::ParseRetryAfter("", now));
}

TEST(RdapAnswer, AStrangersTextIsShownSafely)
{
    const QByteArray body = R"({"objectClassName":"domain","ldhName":"x.com\u0007\u001b[2J",
        "status":["active"],"nameservers":[{"ldhName":"ns1.x.com"}],
        "entities":[{"roles":["registrar"],"vcardArray":["vcard",[["fn",{},"text","Caf\u00e9 \u4e2d Registrar"]]]}]})";
    const auto text = RdapAnswer::RenderDomain(body);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains("Domain Name: x.com[2J\n")) << text->toStdString();
    EXPECT_TRUE(text->contains("Registrar: Caf\xe9 ? Registrar\n")) << text->toStdString();
    EXPECT_FALSE(text->contains('\x1b'));
    EXPECT_FALSE(RdapAnswer::RenderDomain(R"({"objectClassName":"entity","ldhName":"x"})"));
    EXPECT_FALSE(RdapAnswer::RenderDomain("[1,2]"));
}
