#include "lookup/RdapLookup.h"

#include "lookup/RdapAnswer.h"
#include "model/DomainInfo.h"
#include "model/TLDTable.h"
#include "net/DnsClient.h"
#include "net/MainThreadQueue.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <system_error>
#include <thread>
#include <vector>

namespace {

// A network manager keeps at most six connections to one server; lookups
// take turns over a few of them so that "Max Connections" can be reached.
constexpr int kConnectionsPerManager = 6;
constexpr int kManagers = 7;

QNetworkAccessManager* NextManager()
{
    // Parented to the application, so they go with it.
    static std::vector<QPointer<QNetworkAccessManager>> managers;
    static size_t next = 0;
    if (managers.empty())
        managers.resize(kManagers);
    QPointer<QNetworkAccessManager>& slot = managers[next++ % managers.size()];
    if (!slot)
        slot = new QNetworkAccessManager(QCoreApplication::instance());
    return slot;
}

bool IsLoopback(const QUrl& url)
{
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QByteArray HttpStatusText(int status)
{
    return "HTTP " + QByteArray::number(status);
}

}

static_assert(kConnectionsPerManager * kManagers >= 40, "the pool must carry the largest connection limit");

CRdapLookup::~CRdapLookup()
{
    if (m_pReply) {
        m_pReply->disconnect();
        m_pReply->abort();
        m_pReply->deleteLater();
    }
}

QUrl CRdapLookup::QueryUrl(const QByteArray& base, const QByteArray& name)
{
    QByteArray text = base.trimmed();
    if (!text.endsWith('/'))
        text += '/';
    QUrl url(QString::fromLatin1(text));
    // The name is a label sequence of letters, digits and hyphens; encoded
    // all the same, so a stranger's name can never leave the path.
    url.setPath(url.path() + QLatin1String("domain/") + QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(name), ".")));
    return url;
}

bool CRdapLookup::MayRedirect(const QUrl& from, const QUrl& to)
{
    const QString scheme = to.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return false;
    if (from.scheme().toLower() == QLatin1String("https") && scheme == QLatin1String("http"))
        return IsLoopback(from) && IsLoopback(to);
    return true;
}

bool CRdapLookup::Start(CDomainInfo& record, const QByteArray& name, const CLookupOptions& options)
{
    if (record.IsBusy())
        return false;
    std::shared_ptr<CRdapLookup> lookup(new CRdapLookup);
    lookup->m_self = lookup;
    lookup->m_strName = name;
    lookup->m_strServer = GetWhoisServer(name);
    lookup->Attach(record, lookup, options);
    const QUrl url = QueryUrl(lookup->m_strServer, name);
    if (!url.isValid() || url.host().isEmpty()) {
        lookup->m_url = url;
        lookup->End(RdapAnswer::Failure("the server address \"" + lookup->m_strServer + "\" is not a URL"));
        return true;
    }
    if (lookup->m_nTimeoutSeconds > 0) {
        lookup->m_pTimer = std::make_unique<QTimer>();
        lookup->m_pTimer->setSingleShot(true);
        QObject::connect(lookup->m_pTimer.get(), &QTimer::timeout, [weak = lookup->m_self] {
            if (const auto self = weak.lock()) {
                self->m_strAbortReason = "no answer within " + QByteArray::number(self->m_nTimeoutSeconds) + " seconds";
                if (self->m_pReply)
                    self->m_pReply->abort();
            }
        });
        lookup->m_pTimer->start(lookup->m_nTimeoutSeconds * 1000);
    }
    lookup->Send(url);
    return true;
}

void CRdapLookup::Send(const QUrl& url)
{
    m_url = url;
    m_body.clear();
    QNetworkRequest request(url);
    // Some servers refuse the RDAP type alone.
    request.setRawHeader("Accept", "application/rdap+json, application/json");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(0);
    m_pReply = NextManager()->get(request);
    const std::weak_ptr<CRdapLookup> weak = m_self;
    QObject::connect(m_pReply, &QNetworkReply::readyRead, m_pReply, [weak] {
        if (const auto self = weak.lock())
            self->OnReadyRead();
    });
    QObject::connect(m_pReply, &QNetworkReply::finished, m_pReply, [weak] {
        if (const auto self = weak.lock())
            self->OnFinished();
    });
}

void CRdapLookup::OnReadyRead()
{
    if (!m_pReply)
        return;
    m_body += m_pReply->read(kLargestBody + 1 - m_body.size());
    if (m_body.size() > kLargestBody) {
        m_strAbortReason = "the answer is larger than 1 MB";
        m_pReply->abort();
    }
}

void CRdapLookup::Cancel()
{
    if (m_bEnded) {
        if (m_pDnsClient)
            m_pDnsClient->Abort();
        return;
    }
    m_strAbortReason = "stopped";
    if (m_pReply)
        m_pReply->abort();
    else
        End(RdapAnswer::Failure("stopped"));
}

void CRdapLookup::OnFinished()
{
    QNetworkReply* reply = m_pReply;
    if (!reply)
        return;
    m_pReply = nullptr;
    reply->deleteLater();
    if (!m_strAbortReason.isEmpty()) {
        End(RdapAnswer::Failure(m_strAbortReason));
        return;
    }
    m_body += reply->readAll();
    if (m_body.size() > kLargestBody) {
        End(RdapAnswer::Failure("the answer is larger than 1 MB"));
        return;
    }
    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!statusAttribute.isValid()) {
        // No HTTP answer at all: refused, unreachable, a certificate that
        // is not trusted, a connection that broke.
        const QByteArray why = reply->error() == QNetworkReply::SslHandshakeFailedError
            ? "the server's certificate is not trusted"
            : "could not reach the server";
        End(RdapAnswer::Failure(why + " (" + reply->errorString().toLatin1() + ")"));
        return;
    }
    const int status = statusAttribute.toInt();
    if (status == 301 || status == 302 || status == 303 || status == 307 || status == 308) {
        const QUrl target = m_url.resolved(QUrl(QString::fromLatin1(reply->rawHeader("Location"))));
        if (++m_nRedirects > kMostRedirects)
            End(RdapAnswer::Failure("more than five redirects (" + HttpStatusText(status) + ")"));
        else if (!target.isValid() || !MayRedirect(m_url, target))
            End(RdapAnswer::Failure("a redirect to an address that may not be followed: " + target.toEncoded()));
        else
            Send(target);
        return;
    }
    if (status == 200) {
        const std::optional<QByteArray> text = RdapAnswer::RenderDomain(m_body);
        End(text ? *text : RdapAnswer::Failure("the answer (HTTP 200) is not an RDAP domain object"));
        return;
    }
    if (status == 404) {
        End(RdapAnswer::NotFound());
        return;
    }
    const std::optional<int> retryAfter =
        RdapAnswer::ParseRetryAfter(reply->rawHeader("Retry-After"), QDateTime::currentDateTimeUtc());
    if (status == 429 || (status == 503 && retryAfter)) {
        End(RdapAnswer::RateLimited(status, retryAfter));
        return;
    }
    End(RdapAnswer::Failure("the server answered " + HttpStatusText(status)));
}

void CRdapLookup::End(QByteArray text)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    if (m_pTimer)
        m_pTimer->stop();
    Settle(RdapAnswer::Header(m_url.toEncoded(), m_strName) + text);
    CMainThreadQueue::Listen();
    if (WantsDns() && StartDnsWorker())
        return;
    MarkFinished();
    Post();
}

void CRdapLookup::Post()
{
    // Delivered like every other lookup's result, after this call returns.
    CMainThreadQueue::Post([self = m_self.lock()] { CLookup::Deliver(self); });
}

bool CRdapLookup::StartDnsWorker()
{
    m_pDnsClient = std::make_unique<CDnsClient>();
    CMainThreadQueue::ThreadStarting();
    try {
        // The worker keeps the lookup alive and hands its last reference to
        // the GUI thread, where the lookup's timer and reply must die.
        std::thread([self = m_self.lock()]() mutable {
            self->CheckDns(*self->m_pDnsClient, self->m_strName);
            self->MarkFinished();
            CMainThreadQueue::Post([self = std::move(self)] { CLookup::Deliver(self); });
            CMainThreadQueue::ThreadEnded();
        }).detach();
    } catch (const std::system_error&) {
        CMainThreadQueue::ThreadEnded();
        return false;
    }
    return true;
}
