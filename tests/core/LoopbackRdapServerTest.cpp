#include "HttpRequestReader.h"
#include "LoopbackRdapServer.h"
#include "TestSupport.h"
#include "TlsTestSupport.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <cerrno>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

struct Fetched
{
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    int status = 0;
    QByteArray body;
    QUrl url;   // after redirects
    std::unique_ptr<QNetworkReply> reply;

    QByteArray Header(const char* name) const { return reply->rawHeader(name); }
    QJsonObject Json() const { return QJsonDocument::fromJson(body).object(); }
};

QNetworkRequest Request(const std::string& url)
{
    QNetworkRequest request{QUrl(QString::fromStdString(url))};
    request.setRawHeader("Accept", "application/rdap+json");
    return request;
}

Fetched Fetch(QNetworkAccessManager& manager, const QNetworkRequest& request)
{
    Fetched got;
    got.reply.reset(manager.get(request));
    // The reply's timeout or the server's answer ends the wait; this only
    // keeps a broken test from hanging.
    EXPECT_TRUE(ProcessEventsUntil([&] { return got.reply->isFinished(); }, 20000));
    got.error = got.reply->error();
    got.status = got.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (got.reply->isOpen())
        got.body = got.reply->readAll();
    got.url = got.reply->url();
    return got;
}

Fetched Fetch(QNetworkAccessManager& manager, const std::string& url)
{
    return Fetch(manager, Request(url));
}

// A plain blocking HTTP client. Receives give up after a while, so a server
// that never answers fails the test instead of hanging it.
class RawClient
{
public:
    explicit RawClient(uint16_t port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const timeval limit{10, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        sockaddr_in a4{};
        a4.sin_family = AF_INET;
        a4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a4.sin_port = htons(port);
        m_nConnectError = ::connect(m_fd, reinterpret_cast<sockaddr*>(&a4), sizeof a4) < 0 ? errno : 0;
    }
    ~RawClient() { ::close(m_fd); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    int ConnectError() const { return m_nConnectError; }
    void Send(const std::string& bytes) const
    {
        ASSERT_EQ(::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
    }
    // One recv(): empty at the end or on an error.
    std::string ReceiveOnce()
    {
        char buffer[65536];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        m_nReceiveError = n < 0 ? errno : 0;
        return std::string(buffer, std::size_t(std::max<ssize_t>(n, 0)));
    }
    std::string ReceiveAll()
    {
        std::string all = std::exchange(m_pending, {});
        for (std::string got = ReceiveOnce(); !got.empty(); got = ReceiveOnce())
            all += got;
        return all;
    }
    int ReceiveError() const { return m_nReceiveError; }
    // One response with a Content-Length body, head and body as one text;
    // what follows it stays for the next call.
    std::string ReceiveResponse()
    {
        for (;;) {
            const std::size_t headEnd = m_pending.find("\r\n\r\n");
            if (headEnd != std::string::npos) {
                const std::size_t at = m_pending.find("Content-Length: ");
                const std::size_t length = at < headEnd ? std::stoul(m_pending.substr(at + 16)) : 0;
                if (m_pending.size() >= headEnd + 4 + length) {
                    std::string response = m_pending.substr(0, headEnd + 4 + length);
                    m_pending.erase(0, response.size());
                    return response;
                }
            }
            const std::string got = ReceiveOnce();
            if (got.empty())
                return std::exchange(m_pending, {});
            m_pending += got;
        }
    }

private:
    int m_fd = -1;
    int m_nConnectError = 0;
    int m_nReceiveError = 0;
    std::string m_pending;
};

std::string Get(const std::string& target, const std::string& extra = {})
{
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extra + "\r\n";
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

bool HasCertificates()
{
    return TestCertificates::Shared().IsValid();
}

CRdapServerOptions WithTls(CRdapBehaviour behaviour, const CTestCertificate& certificate)
{
    CRdapServerOptions options;
    options.m_default = std::move(behaviour);
    options.m_strCertFile = certificate.m_strCertFile;
    options.m_strKeyFile = certificate.m_strKeyFile;
    return options;
}

} // namespace

TEST(LoopbackRdapServer, AnswersDomainObjectsAndErrorsAndRecordsEachRequest)
{
    CLoopbackRdapServer server;
    server.SetBehaviour("Example.COM", CRdapBehaviour::Registered());
    QNetworkAccessManager manager;

    const Fetched taken = Fetch(manager, server.HttpUrl("/rdap/domain/EXAMPLE.com"));
    ASSERT_EQ(taken.error, QNetworkReply::NoError);
    EXPECT_EQ(taken.status, 200);
    EXPECT_EQ(taken.Header("Content-Type"), "application/rdap+json");
    const QJsonObject domain = taken.Json();
    EXPECT_EQ(domain[u"objectClassName"].toString(), u"domain");
    EXPECT_EQ(domain[u"ldhName"].toString(), u"EXAMPLE.com");
    EXPECT_FALSE(domain[u"status"].toArray().isEmpty());
    EXPECT_EQ(domain[u"nameservers"].toArray().size(), 2);
    EXPECT_EQ(domain[u"events"].toArray().size(), 4);
    const QJsonArray vcard = domain[u"entities"].toArray()[0].toObject()[u"vcardArray"].toArray()[1].toArray();
    EXPECT_EQ(vcard[1].toArray()[0].toString(), u"fn");
    EXPECT_EQ(vcard[1].toArray()[3].toString(), u"Example Registrar, Inc.");

    const Fetched missing = Fetch(manager, server.HttpUrl("/domain/nobody.example?x=1"));
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.Json()[u"errorCode"].toInt(), 404);
    // A name in the body is escaped, whatever the client put into the path.
    const Fetched odd = Fetch(manager, server.HttpUrl("/domain/a%22b%5C%0A%FF.example"));
    EXPECT_EQ(odd.Json()[u"description"].toArray()[0].toString(),
              QStringLiteral("The domain a\"b\\\n\uFFFD.example is not registered."));
    const Fetched elsewhere = Fetch(manager, server.HttpUrl("/help"));
    EXPECT_EQ(elsewhere.status, 404) << "not a domain query";

    const std::vector<CRdapRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].m_strMethod, "GET");
    EXPECT_EQ(requests[0].m_strTarget, "/rdap/domain/EXAMPLE.com");
    EXPECT_EQ(requests[0].m_strHost, "127.0.0.1:" + std::to_string(server.HttpPort()));
    EXPECT_EQ(requests[0].m_strAccept, "application/rdap+json");
    EXPECT_FALSE(requests[0].m_bTls);
    EXPECT_EQ(requests[1].m_strTarget, "/domain/nobody.example?x=1");
}

TEST(LoopbackRdapServer, KeepsConnectionsAliveForSeveralRequests)
{
    CLoopbackRdapServer server(CRdapBehaviour::Registered());
    {
        QNetworkAccessManager manager;
        for (const char* name : {"one.example", "two.example", "three.example"})
            EXPECT_EQ(Fetch(manager, server.HttpUrl(std::string("/domain/") + name)).status, 200);
        EXPECT_EQ(server.AcceptedCount(), 1u);
        EXPECT_EQ(server.RequestCount(), 3u);
        const std::vector<CRdapRequest> requests = server.Requests();
        EXPECT_TRUE(std::all_of(requests.begin(), requests.end(), [](const CRdapRequest& r) { return r.m_nConnection == 1; }));
    }
    // Two requests sent at once come back in order on one connection.
    server.SetBehaviour("slow.example", [] { CRdapBehaviour b = CRdapBehaviour::NotFound(); b.m_delay = 100ms; return b; }());
    RawClient pipelined(server.HttpPort());
    pipelined.Send(Get("/domain/slow.example") + Get("/domain/fast.example"));
    EXPECT_TRUE(StartsWith(pipelined.ReceiveResponse(), "HTTP/1.1 404 Not Found\r\n"));
    const std::string second = pipelined.ReceiveResponse();
    EXPECT_TRUE(StartsWith(second, "HTTP/1.1 200 OK\r\n"));
    EXPECT_NE(second.find("fast.example"), std::string::npos);
    EXPECT_EQ(server.AcceptedCount(), 2u);

    // HTTP/1.0 and "Connection: close" end the connection after the answer.
    RawClient old(server.HttpPort());
    old.Send("GET /domain/a.example HTTP/1.0\r\n\r\n");
    EXPECT_NE(old.ReceiveAll().find("\r\nConnection: close\r\n"), std::string::npos);
    RawClient closing(server.HttpPort());
    closing.Send(Get("/domain/a.example", "Connection: close\r\n") + Get("/domain/b.example"));
    const std::string all = closing.ReceiveAll();
    EXPECT_NE(all.find("a.example"), std::string::npos);
    EXPECT_EQ(all.find("b.example"), std::string::npos) << "nothing after the close";
    RawClient kept(server.HttpPort());
    kept.Send("GET /domain/a.example HTTP/1.0\r\nConnection: keep-alive\r\n\r\n");
    EXPECT_NE(kept.ReceiveResponse().find("\r\nConnection: keep-alive\r\n"), std::string::npos);
}

TEST(LoopbackRdapServer, SendsStatusHeadersAndContentTypeAsScripted)
{
    CLoopbackRdapServer server;
    server.SetBehaviour("busy.example", CRdapBehaviour::RateLimited(429, 30s));
    const auto retryAt = std::chrono::system_clock::time_point(std::chrono::seconds(1798761600));   // 2027-01-01
    server.SetBehaviour("down.example", CRdapBehaviour::RateLimitedUntil(503, retryAt));
    CRdapBehaviour page = CRdapBehaviour::Answer(200, "<p>%s</p>", "text/html");
    page.m_headers = {{"X-Served-By", "loopback"}, {"Cache-Control", "no-store"}};
    server.SetBehaviour("page.example", page);
    QNetworkAccessManager manager;

    const Fetched busy = Fetch(manager, server.HttpUrl("/domain/busy.example"));
    EXPECT_EQ(busy.status, 429);
    EXPECT_EQ(busy.Header("Retry-After"), "30");
    EXPECT_EQ(busy.Json()[u"errorCode"].toInt(), 429);
    const Fetched down = Fetch(manager, server.HttpUrl("/domain/down.example"));
    EXPECT_EQ(down.status, 503);
    EXPECT_EQ(down.Header("Retry-After"), "Fri, 01 Jan 2027 00:00:00 GMT");
    const Fetched shown = Fetch(manager, server.HttpUrl("/domain/page.example"));
    EXPECT_EQ(shown.Header("Content-Type"), "text/html");
    EXPECT_EQ(shown.Header("X-Served-By"), "loopback");
    EXPECT_EQ(shown.Header("Cache-Control"), "no-store");
    EXPECT_EQ(shown.body, "<p>page.example</p>");
}

TEST(LoopbackRdapServer, DelaysTricklesChunksAndMisframesBodies)
{
    CRdapBehaviour late = CRdapBehaviour::Registered();
    late.m_delay = 300ms;
    CLoopbackRdapServer server(late);
    CRdapBehaviour drip = CRdapBehaviour::Answer(200, "abcdefgh", "text/plain");
    drip.m_nPiece = 3;
    drip.m_pause = 250ms;
    server.SetBehaviour("drip.example", drip);
    CRdapBehaviour chunked = CRdapBehaviour::Registered();
    chunked.m_bChunked = true;
    chunked.m_nPiece = 100;
    chunked.m_pause = 1ms;
    server.SetBehaviour("chunked.example", chunked);
    CRdapBehaviour overlong = CRdapBehaviour::Answer(200, "short");
    overlong.m_declaredLength = 100;
    server.SetBehaviour("overlong.example", overlong);
    QNetworkAccessManager manager;

    const auto sent = Clock::now();
    EXPECT_EQ(Fetch(manager, server.HttpUrl("/domain/late.example")).status, 200);
    EXPECT_GE(Clock::now() - sent, 300ms);

    // The pause is far longer than a loopback delivery, so only a stall of
    // the test thread that long could merge two receives.
    RawClient trickled(server.HttpPort());
    trickled.Send(Get("/domain/drip.example", "Connection: close\r\n"));
    const std::string head = trickled.ReceiveOnce();
    EXPECT_TRUE(head.ends_with("\r\n\r\n")) << "the head goes out before the body";
    EXPECT_NE(head.find("\r\nContent-Length: 8\r\n"), std::string::npos);
    EXPECT_EQ(trickled.ReceiveOnce(), "abc");
    EXPECT_EQ(trickled.ReceiveOnce(), "def");
    EXPECT_EQ(trickled.ReceiveOnce(), "gh");

    const Fetched whole = Fetch(manager, server.HttpUrl("/domain/chunked.example"));
    EXPECT_EQ(whole.Header("Transfer-Encoding"), "chunked");
    EXPECT_EQ(whole.Json()[u"ldhName"].toString(), u"chunked.example");

    const Fetched cut = Fetch(manager, server.HttpUrl("/domain/overlong.example"));
    EXPECT_NE(cut.error, QNetworkReply::NoError) << "the body ended before its Content-Length";
}

TEST(LoopbackRdapServer, SendsHugeBodiesOfExactlyTheSizeAsValidJson)
{
    constexpr std::size_t kHuge = 3 * 1024 * 1024 + 11;
    CLoopbackRdapServer server(CRdapBehaviour::Huge(kHuge));
    QNetworkAccessManager manager;
    const Fetched huge = Fetch(manager, server.HttpUrl("/domain/big.example"));
    ASSERT_EQ(std::size_t(huge.body.size()), kHuge);
    EXPECT_EQ(huge.Json()[u"ldhName"].toString(), u"big.example");

    // The same bytes however the body is cut into blocks.
    const CRdapBehaviour b = CRdapBehaviour::Huge(kHuge);
    EXPECT_EQ(b.HugeBody("big.example", 0, 70) + b.HugeBody("big.example", 70, 100000),
              huge.body.left(100070).toStdString());
    EXPECT_EQ(b.HugeBody("big.example", kHuge - 10, 50), huge.body.right(10).toStdString());
    EXPECT_EQ(CRdapBehaviour::Huge(20).HugeBody("x", 0, 100).size(), 20u);

    RawClient head(server.HttpPort());
    head.Send("HEAD /domain/big.example HTTP/1.1\r\nHost: h\r\nConnection: close\r\n\r\n");
    const std::string answer = head.ReceiveAll();
    EXPECT_NE(answer.find("\r\nContent-Length: " + std::to_string(kHuge) + "\r\n"), std::string::npos);
    EXPECT_TRUE(answer.ends_with("\r\n\r\n")) << "no body after a HEAD";
}

TEST(LoopbackRdapServer, RedirectsToPathsAndAcrossListenersAndLoops)
{
    ASSERT_TRUE(HasCertificates()) << TestCertificates::Shared().Error();
    CLoopbackRdapServer server(WithTls(CRdapBehaviour::NotFound(), TestCertificates::Shared().Loopback()));
    server.SetBehaviour("moved.example", CRdapBehaviour::Redirect(301, "/v2/domain/%s"));
    server.SetBehaviour("/v2/domain/moved.example", CRdapBehaviour::Registered());
    server.SetBehaviour("secure.example", CRdapBehaviour::Redirect(308, server.HttpsUrl("/domain/%s")), RdapListener::Http);
    server.SetBehaviour("secure.example", CRdapBehaviour::Registered(), RdapListener::Https);
    server.SetBehaviour("plain.example", CRdapBehaviour::Redirect(302, server.HttpUrl("/domain/%s")), RdapListener::Https);
    server.SetBehaviour("loop.example", CRdapBehaviour::Redirect(307, "/domain/%s"));
    QNetworkAccessManager manager;

    const Fetched moved = Fetch(manager, server.HttpUrl("/domain/moved.example"));
    EXPECT_EQ(moved.status, 200);
    EXPECT_EQ(moved.url.path(), u"/v2/domain/moved.example");

    QNetworkRequest secure = Request(server.HttpUrl("/domain/secure.example"));
    secure.setSslConfiguration(TestCertificates::Trusting(TestCertificates::Shared().Loopback()));
    const Fetched upgraded = Fetch(manager, secure);
    EXPECT_EQ(upgraded.status, 200);
    EXPECT_EQ(upgraded.url.scheme(), u"https");
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_TRUE(server.Requests().back().m_bTls);

    QNetworkRequest downgrade = Request(server.HttpsUrl("/domain/plain.example"));
    downgrade.setSslConfiguration(TestCertificates::Trusting(TestCertificates::Shared().Loopback()));
    EXPECT_EQ(Fetch(manager, downgrade).error, QNetworkReply::InsecureRedirectError);

    QNetworkRequest loop = Request(server.HttpUrl("/domain/loop.example"));
    loop.setMaximumRedirectsAllowed(5);
    const std::size_t before = server.RequestCount();
    EXPECT_EQ(Fetch(manager, loop).error, QNetworkReply::TooManyRedirectsError);
    EXPECT_GE(server.RequestCount() - before, 6u) << "the first request and five redirects";

    // A name from the client cannot end the Location header and start one
    // of its own.
    server.SetDefaultBehaviour(CRdapBehaviour::Redirect(307, "/domain/%s"));
    RawClient injected(server.HttpPort());
    injected.Send(Get("/domain/loop%0D%0AX-Evil:%201", "Connection: close\r\n"));
    const std::string answer = injected.ReceiveAll();
    EXPECT_NE(answer.find("\r\nLocation: /domain/loop%0D%0AX-Evil%3A%201\r\n"), std::string::npos) << answer;
    EXPECT_EQ(answer.find("\r\nX-Evil"), std::string::npos);
}

TEST(LoopbackRdapServer, ServesHttpsOnlyToClientsThatTrustItsCertificateForTheHost)
{
    ASSERT_TRUE(HasCertificates()) << TestCertificates::Shared().Error();
    const CTestCertificate& loopback = TestCertificates::Shared().Loopback();
    CLoopbackRdapServer server(WithTls(CRdapBehaviour::Registered(), loopback));
    QNetworkAccessManager manager;

    QNetworkRequest trusted = Request(server.HttpsUrl("/domain/safe.example"));
    trusted.setSslConfiguration(TestCertificates::Trusting(loopback));
    for (int i = 0; i < 2; ++i) {
        const Fetched got = Fetch(manager, trusted);
        ASSERT_EQ(got.error, QNetworkReply::NoError) << got.reply->errorString().toStdString();
        EXPECT_EQ(got.Json()[u"ldhName"].toString(), u"safe.example");
    }
    EXPECT_EQ(server.AcceptedCount(), 1u) << "kept alive over TLS too";
    ASSERT_EQ(server.RequestCount(), 2u);
    EXPECT_TRUE(server.Requests()[1].m_bTls);

    // A manager of its own, as the first one would reuse its verified connection.
    QNetworkAccessManager untrusting;
    EXPECT_EQ(Fetch(untrusting, Request(server.HttpsUrl("/domain/safe.example"))).error,
              QNetworkReply::SslHandshakeFailedError);
    EXPECT_EQ(server.RequestCount(), 2u) << "nothing was asked over the refused handshake";

    // Trusted, but made out to another host.
    CLoopbackRdapServer other(WithTls(CRdapBehaviour::Registered(), TestCertificates::Shared().OtherHost()));
    QNetworkRequest wrongHost = Request(other.HttpsUrl("/domain/safe.example"));
    wrongHost.setSslConfiguration(TestCertificates::Trusting(TestCertificates::Shared().OtherHost()));
    EXPECT_EQ(Fetch(manager, wrongHost).error, QNetworkReply::SslHandshakeFailedError);
    EXPECT_EQ(other.RequestCount(), 0u);
}

TEST(LoopbackRdapServer, SendsInvalidJsonClosesOrStaysSilentAsScripted)
{
    CLoopbackRdapServer server(CRdapBehaviour::InvalidJson());
    server.SetBehaviour("gone.example", CRdapBehaviour::CloseWithoutAnswer());
    server.SetBehaviour("silent.example", CRdapBehaviour::NeverAnswer());
    QNetworkAccessManager manager;

    const Fetched broken = Fetch(manager, server.HttpUrl("/domain/broken.example"));
    EXPECT_EQ(broken.status, 200);
    QJsonParseError error;
    QJsonDocument::fromJson(broken.body, &error);
    EXPECT_NE(error.error, QJsonParseError::NoError);

    EXPECT_EQ(Fetch(manager, server.HttpUrl("/domain/gone.example")).error, QNetworkReply::RemoteHostClosedError);

    QNetworkRequest silent = Request(server.HttpUrl("/domain/silent.example"));
    silent.setTransferTimeout(300);
    EXPECT_EQ(Fetch(manager, silent).error, QNetworkReply::OperationCanceledError);
    // Qt sends a request again when a kept-alive connection closes on it,
    // so "gone" may be there twice.
    const std::vector<CRdapRequest> requests = server.Requests();
    ASSERT_GE(requests.size(), 3u) << "every request is recorded, answered or not";
    EXPECT_EQ(requests[1].m_strTarget, "/domain/gone.example");
    EXPECT_EQ(requests.back().m_strTarget, "/domain/silent.example");
}

TEST(LoopbackRdapServer, RefusesOddRequestsWithoutHangingOrCrashing)
{
    CRdapServerOptions options;
    options.m_default = CRdapBehaviour::Answer(200, "<%s>", "text/plain");
    options.m_idleTimeout = 300ms;
    CLoopbackRdapServer server(options);
    const auto answerTo = [&](const std::string& request) {
        RawClient client(server.HttpPort());
        client.Send(request);
        return client.ReceiveAll();
    };
    EXPECT_TRUE(StartsWith(answerTo("HELLO\r\n\r\n"), "HTTP/1.1 400 "));
    EXPECT_TRUE(StartsWith(answerTo("GET /domain/a HTTP/2.0\r\nHost: h\r\n\r\n"), "HTTP/1.1 505 "));
    EXPECT_TRUE(StartsWith(answerTo("GET /domain/a HTTP/1.1\r\n\r\n"), "HTTP/1.1 400 ")) << "no Host";
    EXPECT_TRUE(StartsWith(answerTo(Get("/domain/a", " folded: line\r\n")), "HTTP/1.1 400 "));
    EXPECT_TRUE(StartsWith(answerTo(Get("/domain/a", "Bad Name: x\r\n")), "HTTP/1.1 400 "));
    EXPECT_TRUE(StartsWith(answerTo(Get("/domain/a", "Content-Length: 3\r\nTransfer-Encoding: chunked\r\n")),
                           "HTTP/1.1 400 "));
    EXPECT_TRUE(StartsWith(answerTo(Get("/domain/a", "Content-Length: 99999999999999999999\r\n")), "HTTP/1.1 413 "));
    EXPECT_TRUE(StartsWith(answerTo(Get("/domain/a", "X-Big: " + std::string(20000, 'x') + "\r\n")), "HTTP/1.1 431 "));
    const std::string post = answerTo("POST /domain/a HTTP/1.1\r\nHost: h\r\nContent-Length: 2\r\nConnection: close\r\n\r\nhi");
    EXPECT_TRUE(StartsWith(post, "HTTP/1.1 405 "));
    EXPECT_NE(post.find("\r\nAllow: GET, HEAD\r\n"), std::string::npos);
    // Half a request, then silence: told off once the idle time is up.
    EXPECT_TRUE(StartsWith(answerTo("GET /domain/a HTTP/1.1\r\nHo"), "HTTP/1.1 408 "));

    // Bare line feeds, bodies in both framings and an absolute-form target
    // all keep the connection in step.
    RawClient lenient(server.HttpPort());
    lenient.Send("\r\nGET /domain/one HTTP/1.1\nHost: h\n\n"
                 "GET /domain/two HTTP/1.1\r\nHost: h\r\nContent-Length: 5\r\n\r\nhello"
                 "GET /domain/three HTTP/1.1\r\nHost: h\r\nTransfer-Encoding: chunked\r\n\r\n"
                 "3;ext=1\r\nabc\r\n0\r\nTrailer: x\r\n\r\n"
                 "GET http://127.0.0.1/domain/four?q HTTP/1.1\r\nHost: h\r\nConnection: close\r\n\r\n");
    const std::string all = lenient.ReceiveAll();
    for (const char* name : {"one", "two", "three", "four"})
        EXPECT_NE(all.find(std::string("<") + name + ">"), std::string::npos) << name;
    EXPECT_EQ(server.Requests().back().m_strTarget, "http://127.0.0.1/domain/four?q");

    // A client that leaves in the middle of a request costs nothing.
    {
        RawClient leaving(server.HttpPort());
        leaving.Send("GET /domain/a HTTP/1.1\r\nHost:");
    }
    EXPECT_TRUE(ProcessEventsUntil([&] { return server.OpenCount() == 0; }, 5000));
}

TEST(HttpRequestReader, ReadsRequestsFedByteByByteLikeWhole)
{
    const std::string bytes = "GET /domain/x HTTP/1.1\r\nHost: h\r\nTransfer-Encoding: chunked\r\n\r\n"
                              "4\r\nwiki\r\n5\r\npedia\r\n0\r\n\r\n"
                              "HEAD /domain/y HTTP/1.0\r\nAccept:  application/rdap+json \r\n\r\n";
    CHttpRequestReader reader;
    std::vector<CHttpRequest> requests;
    for (char c : bytes) {
        reader.Append(std::string_view(&c, 1));
        const CHttpRequestReader::Result result = reader.Next();
        ASSERT_NE(result, CHttpRequestReader::Result::Bad);
        if (result == CHttpRequestReader::Result::Complete)
            requests.push_back(reader.Request());
    }
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].m_strBody, "wikipedia");
    EXPECT_TRUE(requests[0].WantsKeepAlive());
    EXPECT_EQ(requests[1].m_strMethod, "HEAD");
    EXPECT_EQ(requests[1].Header("accept"), "application/rdap+json");
    EXPECT_FALSE(requests[1].WantsKeepAlive());
    EXPECT_FALSE(reader.HasPartial());

    CHttpRequestReader oversized;
    // Each chunk is within the limit, the two together are not.
    oversized.Append("GET / HTTP/1.1\r\nHost: h\r\nTransfer-Encoding: chunked\r\n\r\n8000\r\n");
    oversized.Append(std::string(0x8000, 'x') + "\r\n8001\r\n");
    EXPECT_EQ(oversized.Next(), CHttpRequestReader::Result::Bad);
    EXPECT_EQ(oversized.ErrorStatus(), 413);
}

TEST(LoopbackRdapServer, StopCutsShortDelaysTricklesAndHeldConnections)
{
    CRdapBehaviour slow = CRdapBehaviour::Registered();
    slow.m_delay = 60s;
    CLoopbackRdapServer server(slow);
    CRdapBehaviour drip = CRdapBehaviour::Registered();
    drip.m_nPiece = 1;
    drip.m_pause = 60s;
    server.SetBehaviour("drip.example", drip);
    server.SetBehaviour("silent.example", CRdapBehaviour::NeverAnswer());
    server.SetBehaviour("quick.example", CRdapBehaviour::NotFound());

    RawClient delayed(server.HttpPort());
    delayed.Send(Get("/domain/slow.example"));
    RawClient trickled(server.HttpPort());
    trickled.Send(Get("/domain/drip.example"));
    RawClient silent(server.HttpPort());
    silent.Send(Get("/domain/silent.example"));
    RawClient idle(server.HttpPort());
    idle.Send(Get("/domain/quick.example"));
    EXPECT_TRUE(StartsWith(idle.ReceiveResponse(), "HTTP/1.1 404 "));
    EXPECT_TRUE(trickled.ReceiveOnce().ends_with("\r\n\r\n")) << "the head, then the first pause";
    ASSERT_TRUE(server.WaitForRequests(4, 5s));

    const auto start = Clock::now();
    server.Stop();
    // Generous for a loaded sanitizer run; a Stop() that waits sits out a minute.
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(server.OpenCount(), 0u);
    for (RawClient* client : {&delayed, &trickled, &silent, &idle}) {
        EXPECT_EQ(client->ReceiveAll(), "");
        EXPECT_NE(client->ReceiveError(), EAGAIN) << "the connection was left open";
    }
    EXPECT_EQ(RawClient(server.HttpPort()).ConnectError(), ECONNREFUSED);
    server.Stop();
}

TEST(LoopbackRdapServer, AnswersCurlOverHttpAndHttps)
{
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty())
        GTEST_SKIP() << "no curl here";
    ASSERT_TRUE(HasCertificates()) << TestCertificates::Shared().Error();
    const CTestCertificate& loopback = TestCertificates::Shared().Loopback();
    CLoopbackRdapServer server(WithTls(CRdapBehaviour::Registered(), loopback));
    const auto run = [&](const QStringList& args) {
        QProcess process;
        process.start(curl, QStringList{QStringLiteral("-sS"), QStringLiteral("-w"), QStringLiteral("%{http_code}\\n")} + args);
        EXPECT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    };
    // One curl run with two URLs of one host reuses its connection.
    const QByteArray plain = run({QString::fromStdString(server.HttpUrl("/domain/a.example")),
                                  QString::fromStdString(server.HttpUrl("/domain/b.example"))});
    EXPECT_EQ(plain.count("\"ldhName\":\"a.example\""), 1);
    EXPECT_TRUE(plain.endsWith("}\n200\n"));
    EXPECT_EQ(server.AcceptedCount(), 1u);
    EXPECT_EQ(server.RequestCount(), 2u);

    const QByteArray secure = run({QStringLiteral("--cacert"), QString::fromStdString(loopback.m_strCertFile),
                                   QString::fromStdString(server.HttpsUrl("/domain/c.example"))});
    EXPECT_TRUE(secure.endsWith("}\n200\n"));
    EXPECT_TRUE(server.Requests().back().m_bTls);
}

TEST(LoopbackRdapServer, ServesFortyKeptAliveClientsAtOnce)
{
    CRdapBehaviour overlapping = CRdapBehaviour::Answer(200, "<%s>", "text/plain");
    overlapping.m_delay = 20ms;
    CLoopbackRdapServer server(overlapping);
    constexpr int kClients = 40;
    constexpr int kEach = 5;
    std::vector<std::string> answers(kClients);
    std::vector<std::thread> threads;
    for (int i = 0; i < kClients; ++i) {
        threads.emplace_back([&, i] {
            RawClient client(server.HttpPort());
            for (int j = 0; j < kEach; ++j) {
                client.Send(Get("/domain/n" + std::to_string(i) + "-" + std::to_string(j)));
                answers[i] += client.ReceiveResponse();
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (int i = 0; i < kClients; ++i)
        for (int j = 0; j < kEach; ++j)
            EXPECT_NE(answers[i].find("<n" + std::to_string(i) + "-" + std::to_string(j) + ">"), std::string::npos);
    EXPECT_EQ(server.AcceptedCount(), std::size_t(kClients));
    EXPECT_EQ(server.RequestCount(), std::size_t(kClients * kEach));
    EXPECT_LE(server.MaxOpenCount(), std::size_t(kClients));
}

TEST(LoopbackRdapServer, ProgramServesHttpAndHttpsUntilTerminated)
{
    QTemporaryDir folder;
    QProcess program;
    program.start(QStringLiteral(TELVARO_RDAP_SERVER_PATH), {QStringLiteral("--make-cert"), folder.path()});
    ASSERT_TRUE(program.waitForStarted(10000));
    const auto waitLine = [&] {
        EXPECT_TRUE(ProcessEventsUntil([&] { return program.canReadLine(); }, 20000));
        return program.readLine().trimmed().toInt();
    };
    const int httpPort = waitLine();
    const int httpsPort = waitLine();
    ASSERT_GT(httpPort, 0) << program.readAllStandardError().toStdString();
    ASSERT_GT(httpsPort, 0);

    QNetworkAccessManager manager;
    const std::string http = "http://127.0.0.1:" + std::to_string(httpPort);
    EXPECT_EQ(Fetch(manager, http + "/domain/taken.example").Json()[u"ldhName"].toString(), u"taken.example");
    EXPECT_EQ(Fetch(manager, http + "/domain/FREEname.example").status, 404);
    CTestCertificate made;
    made.m_strCertFile = folder.filePath(QStringLiteral("cert.pem")).toStdString();
    QNetworkRequest secure = Request("https://localhost:" + std::to_string(httpsPort) + "/domain/x.example");
    secure.setSslConfiguration(TestCertificates::Trusting(made));
    EXPECT_EQ(Fetch(manager, secure).status, 200);

    program.terminate();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput(), "connections 2 requests 3\n") << "one over HTTP, one over HTTPS";
}
