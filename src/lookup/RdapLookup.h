#pragma once

#include "lookup/Lookup.h"

#include <QByteArray>
#include <QPointer>
#include <QUrl>

#include <memory>

class CDnsClient;
class QNetworkReply;
class QTimer;

// One RDAP lookup: GET <base>domain/<name> over HTTP(S), asynchronous on
// the GUI thread (no worker thread), through a pool of network managers that
// keeps connections to each server open for the next lookup. Redirects are
// followed by hand (at most five, http and https only, never from https to
// http but on this machine); certificates are always verified; the body may
// not pass 1 MB; "Lookup Timeout" bounds the whole lookup.
class CRdapLookup : public CLookup
{
public:
    static constexpr qint64 kLargestBody = 1 << 20;
    static constexpr int kMostRedirects = 5;

    // Starts the lookup of name for record, whose TLD row's server text is
    // an RDAP base URL. False when the record is busy already.
    static bool Start(CDomainInfo& record, const QByteArray& name, const CLookupOptions& options);

    ~CRdapLookup() override;

    // GUI thread: stop at once; the result ("stopped") arrives as usual.
    void Cancel() override;

    // The address asked for name of base: the base with a '/' if it lacks
    // one, then "domain/" and the name.
    static QUrl QueryUrl(const QByteArray& base, const QByteArray& name);
    // Whether a redirect from one address to another may be followed.
    static bool MayRedirect(const QUrl& from, const QUrl& to);

private:
    CRdapLookup() = default;

    void Send(const QUrl& url);
    void OnReadyRead();
    void OnFinished();
    // Ends the lookup with text (what the record will say).
    void End(QByteArray text);
    // The DNS steps on a worker of their own, the GUI thread never blocks;
    // false when no thread could be started.
    bool StartDnsWorker();
    void Post();

    std::weak_ptr<CRdapLookup> m_self;
    QByteArray m_strName;
    QUrl m_url;          // the address asked last
    QByteArray m_body;
    int m_nRedirects = 0;
    QPointer<QNetworkReply> m_pReply;
    std::unique_ptr<QTimer> m_pTimer;
    // Why the reply was aborted, when this lookup aborted it.
    QByteArray m_strAbortReason;
    bool m_bEnded = false;
    // Made before its worker starts; a stop aborts it from the GUI thread.
    std::unique_ptr<CDnsClient> m_pDnsClient;
};
