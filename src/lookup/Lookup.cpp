#include "lookup/Lookup.h"

#include "lookup/DnsCheck.h"
#include "lookup/ServerPacer.h"
#include "model/DomainInfo.h"
#include "net/MainThreadQueue.h"
#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"
#include "verdict/WhoisAnswer.h"

#include <QCoreApplication>

namespace {

// DNS gets this long when lookups have no time limit: a query may not
// hold its lookup for ever.
constexpr std::chrono::seconds kDnsWhenUnlimited{30};

}

const QEvent::Type CLookupDoneEvent::kType = QEvent::Type(QEvent::registerEventType());

void CLookup::Attach(CDomainInfo& record, const std::shared_ptr<CLookup>& self, const CLookupOptions& options)
{
    m_strServerKey = CServerPacer::KeyOf(m_strServer);
    m_nTimeoutSeconds = options.m_nTimeoutSeconds;
    m_bStripOutput = options.m_bStripOutput;
    m_nPrevStatus = record.m_nPrevStatus;
    m_bResolveNames = options.m_bResolveNames;
    m_pDnsServer = options.m_pDnsServer;
    m_deadline = std::chrono::steady_clock::now()
        + (m_nTimeoutSeconds > 0 ? std::chrono::seconds(m_nTimeoutSeconds) : kDnsWhenUnlimited);
    m_pOwner = &record;
    record.m_pConn = self;   // busy before the worker can possibly finish
}

void CLookup::Unattach(CDomainInfo& record)
{
    m_pOwner = nullptr;
    record.m_pConn.reset();
}

void CLookup::Detach()
{
    m_pOwner = nullptr;
    Cancel();
}

bool CLookup::WaitUntilFinished(std::chrono::steady_clock::time_point deadline) const
{
    return CMainThreadQueue::WaitUntil(deadline, [this] { return IsFinished(); });
}

void CLookup::Finish(QByteArray text)
{
    Settle(std::move(text));
    MarkFinished();
}

void CLookup::Settle(QByteArray text)
{
    ConvertLineEnds(text);
    RemoveAdvertising(text);
    if (m_bStripOutput)
        CleanWhoisText(text);
    m_dtResult = COleDateTime::GetCurrentTime();
    m_verdict = CRuleStore::Current()->Classify(text, m_strServer);
    m_nResultStatus = VerdictStatus(m_verdict, m_nPrevStatus, STATUS_ERROR_FIRST);
    m_strResult = std::move(text);
}

bool CLookup::WantsDns() const
{
    return m_bResolveNames && (m_verdict.m_nKind == VerdictKind::Free || m_nResultStatus == STATUS_TAKEN);
}

void CLookup::CheckDns(CDnsClient& client, const QByteArray& name)
{
    if (m_verdict.m_nKind == VerdictKind::Free) {
        // The line joins the text, so that the verdict it gives is the one
        // a saved and loaded list gives too.
        m_strResult += DnsCheck::ConfirmFree(client, name, m_pDnsServer.get(), m_deadline);
        m_verdict = CRuleStore::Current()->Classify(m_strResult, m_strServer);
        m_nResultStatus = VerdictStatus(m_verdict, m_nPrevStatus, STATUS_ERROR_FIRST);
        if (m_pDnsServer && m_nResultStatus != STATUS_TAKEN && m_verdict.IsVerdict())
            m_strAddress = QByteArray();   // free: no address any more
    }
    if (m_pDnsServer && m_nResultStatus == STATUS_TAKEN)
        m_strAddress = DnsCheck::AddressOf(client, name, *m_pDnsServer, m_deadline);
}

void CLookup::MarkFinished()
{
    m_bFinished.store(true, std::memory_order_release);
}

void CLookup::Deliver(const std::shared_ptr<CLookup>& lookup)
{
    CDomainInfo* record = lookup->m_pOwner;
    if (!record || !lookup->IsFinished())
        return;   // the record went away while its worker ran
    lookup->m_pOwner = nullptr;
    record->m_strWhois = std::move(lookup->m_strResult);
    record->m_dtChecked = lookup->m_dtResult;
    record->m_nStatus = lookup->m_nResultStatus;
    if (lookup->m_strAddress)
        record->m_strDNS = std::move(*lookup->m_strAddress);
    record->m_pConn.reset();   // idle from here on
    if (QObject* notify = record->m_pNotifyWnd) {
        CLookupDoneEvent ev(record, {lookup->m_strServerKey, lookup->m_verdict});
        QCoreApplication::sendEvent(notify, &ev);
    }
}
