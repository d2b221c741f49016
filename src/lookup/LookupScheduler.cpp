#include "lookup/LookupScheduler.h"

#include "lookup/WhoisConnection.h"
#include "model/DomainDoc.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"
#include "base/ProgramFolder.h"

#include <QFile>

#include <algorithm>
#include <chrono>

namespace {

bool IsFinalStatus(uint8_t status)
{
    return status == STATUS_TAKEN || status == STATUS_AVAILABLE || status == STATUS_TOO_MANY_ERRORS;
}

}

CLookupScheduler::CLookupScheduler(CDomainDoc* doc, const CLookupOptions& options, QObject* parent)
    : QObject(parent), m_pDoc(doc), m_options(options)
{
    connect(&m_timer, &QTimer::timeout, this, &CLookupScheduler::OnTimer);
    m_timer.start(std::max(0, m_options.m_nIntervalMs));
}

CLookupScheduler::~CLookupScheduler()
{
    if (IsBusy())
        StopAll();
    WaitUntilIdle(30000);
}

void CLookupScheduler::SetOptions(const CLookupOptions& options)
{
    m_options = options;
    m_timer.start(std::max(0, m_options.m_nIntervalMs));
}

// --- commands --------------------------------------------------------------

bool CLookupScheduler::HasHighlight(int index) const
{
    return index >= 0 && index < m_pDoc->GetCount();
}

void CLookupScheduler::CheckAvailability(int index)
{
    if (!HasHighlight(index) || m_pDoc->GetAt(index)->IsBusy())
        return;
    StartLookup(index);
}

bool CLookupScheduler::StartLookup(int index)
{
    if (!HasHighlight(index))
        return false;
    CDomainInfo& record = *m_pDoc->GetAt(index);
    if (record.IsBusy())
        return false;
    record.m_pNotifyWnd = this;
    record.m_nPrevStatus = record.m_nStatus;
    record.m_nStatus = STATUS_CHECKING;
    const QByteArray name = record.m_strName.trimmed().left(255);
    // Only the server this name needs: a table may hold a thousand.
    ResolveWhoisServerOf(name, this);
    const bool started = CWhoisConnection::Start(record, name, m_options);
    m_pDoc->NotifyRowChanged(index);
    return started;
}

bool CLookupScheduler::CanCheckAvailability(int index) const
{
    if (!HasHighlight(index))
        return false;
    const CDomainInfo& r = *m_pDoc->GetAt(index);
    return !r.IsBusy() && (r.m_nStatus == STATUS_UNKNOWN || r.m_nStatus >= STATUS_ERROR_FIRST);
}

void CLookupScheduler::LookupSelected()
{
    m_nProgressTotal = CountToDo();
    SetLookupRunning(true);
    WakeTimer();
    m_bTrayAnimating = true;
    if (m_host.m_animateTray)
        m_host.m_animateTray(true);
}

bool CLookupScheduler::CanLookupSelected() const
{
    const auto records = m_pDoc->Records();
    return std::any_of(records.begin(), records.end(), [](const auto& r) { return r->m_bSelected; });
}

void CLookupScheduler::StopAll()
{
    SetLookupRunning(false);
    for (const auto& r : m_pDoc->Records())
        r->CancelLookup();
}

void CLookupScheduler::StopLookup(int index)
{
    if (CanStopLookup(index))
        m_pDoc->GetAt(index)->CancelLookup();
}

bool CLookupScheduler::CanStopLookup(int index) const
{
    return HasHighlight(index) && m_pDoc->GetAt(index)->IsBusy();
}

void CLookupScheduler::ResetRecord(CDomainInfo& record)
{
    record.m_nStatus = STATUS_UNKNOWN;
    record.m_strWhois.clear();
    record.m_dtChecked.SetStatus(COleDateTime::null);
}

void CLookupScheduler::ResetEntry(int index)
{
    if (!CanResetEntry(index))
        return;
    ResetRecord(*m_pDoc->GetAt(index));
    m_pDoc->RecordChanged(index);
}

bool CLookupScheduler::CanResetEntry(int index) const
{
    if (!HasHighlight(index))
        return false;
    const uint8_t status = m_pDoc->GetAt(index)->m_nStatus;
    return status != STATUS_UNKNOWN && status != STATUS_CHECKING;
}

void CLookupScheduler::ResetSelected()
{
    bool any = false;
    for (const auto& r : m_pDoc->Records()) {
        if (r->m_bSelected && r->m_nStatus != STATUS_UNKNOWN && r->m_nStatus != STATUS_CHECKING) {
            ResetRecord(*r);
            any = true;
        }
    }
    if (any)
        m_pDoc->RecordsChanged();
}

// --- state -----------------------------------------------------------------

int CLookupScheduler::BusyCount() const
{
    const auto records = m_pDoc->Records();
    return int(std::count_if(records.begin(), records.end(), [](const auto& r) { return r->IsBusy(); }));
}

bool CLookupScheduler::IsBusy() const
{
    const auto records = m_pDoc->Records();
    return m_bLookupRunning || std::any_of(records.begin(), records.end(), [](const auto& r) { return r->IsBusy(); });
}

void CLookupScheduler::SetLookupRunning(bool running)
{
    if (m_bLookupRunning == running)
        return;
    m_bLookupRunning = running;
    Q_EMIT LookupRunningChanged(running);
}

int CLookupScheduler::CountToDo() const
{
    const auto records = m_pDoc->Records();
    return int(std::count_if(records.begin(), records.end(), [](const auto& r) {
        return r->IsBusy() || (r->m_bSelected && !IsFinalStatus(r->m_nStatus));
    }));
}

int CLookupScheduler::ProgressDone() const
{
    return std::max(0, m_nProgressTotal - CountToDo());
}

// --- scheduling ------------------------------------------------------------

bool CLookupScheduler::ScheduleLookups()
{
    const auto records = m_pDoc->Records();
    const int maxConnections = m_options.m_nMaxConnections;
    int running = 0;
    for (const auto& r : records) {
        if (r->IsBusy())
            ++running;
        if (running >= maxConnections)
            return true;
    }

    // One pass over the ticked records that pass the filter, starting each
    // until the connection limit is reached; true when any started.
    auto pass = [&](auto wanted) {
        int started = 0;
        for (int i = 0; i < int(records.size()) && running < maxConnections; ++i) {
            const CDomainInfo& r = *records[size_t(i)];
            if (r.m_bSelected && wanted(r.m_nStatus) && StartLookup(i)) {
                ++running;
                ++started;
            }
        }
        return started > 0;
    };
    if (pass([](uint8_t s) { return s == STATUS_UNKNOWN || s == STATUS_CHECKING; }))
        return true;
    return pass([](uint8_t s) { return !IsFinalStatus(s); });
}

void CLookupScheduler::OnTimer()
{
    if (m_bLookupRunning && !ScheduleLookups())
        SetLookupRunning(false);
    if (!IsBusy() && m_bTrayAnimating) {
        m_bTrayAnimating = false;
        if (m_host.m_animateTray)
            m_host.m_animateTray(false);
    }
    const QString hint = HintText();
    if (hint != m_strHint) {
        m_strHint = hint;
        Q_EMIT HintChanged(hint);
    }
    Q_EMIT Ticked();
    // With no pause between ticks, rest while every slot is taken or nothing
    // runs; the next completion or command wakes the timer.
    if (m_timer.interval() == 0 && (!IsBusy() || BusyCount() >= m_options.m_nMaxConnections))
        m_timer.stop();
}

void CLookupScheduler::WakeTimer()
{
    if (!m_timer.isActive())
        m_timer.start();
}

QString CLookupScheduler::HintText()
{
    if (m_pDoc->GetCount() == 0) {
        return QStringLiteral("Use the 'Add Names' option to add domain names to the list. You can also create "
                              "domain names from your keywords using the 'Construct domain names' option.");
    }
    int selected = 0;
    int taken = 0;
    int available = 0;
    for (const auto& r : m_pDoc->Records()) {
        selected += r->m_bSelected ? 1 : 0;
        taken += r->m_nStatus == STATUS_TAKEN ? 1 : 0;
        available += r->m_nStatus == STATUS_AVAILABLE ? 1 : 0;
    }
    const int n = m_pDoc->GetCount();
    QString text;
    if (IsBusy() && NoServerResolved())
        text = QStringLiteral("Locating Whois server. Click on the 'Stop All' button to stop. ");
    else if (IsBusy())
        text = QStringLiteral("Communicating with the Whois server. Click on the 'Stop All' button to stop. ");
    else if (selected > 0)
        text = QStringLiteral("Use the 'Lookup Selected' option to lookup the selected domain names for availability. ");
    else if (n <= 3)
        text = QStringLiteral("Right click on a domain name and choose 'Check availability' to check if the domain is available. ");
    else
        text = QStringLiteral("Select the domains you want to lookup by clicking on the check boxes to the left of each name. ");
    text += QStringLiteral("[%1 Domains, %2 checked, %3 available, %4 taken]").arg(n).arg(taken + available).arg(available).arg(taken);
    m_nTakenCount = taken;
    m_nAvailableCount = available;
    return text;
}

void CLookupScheduler::AbortLookupsForTLD(const QByteArray& tld)
{
    for (const auto& r : m_pDoc->Records()) {
        if (!r->IsBusy())
            continue;
        // The TLD text must occur, and its first occurrence must end the name.
        const qsizetype at = r->m_strName.indexOf(tld);
        if (at >= 0 && at == r->m_strName.size() - tld.size())
            r->CancelLookup();
    }
}

// --- messages --------------------------------------------------------------

bool CLookupScheduler::event(QEvent* e)
{
    if (e->type() == CLookupDoneEvent::kType) {
        OnLookupDone(static_cast<CLookupDoneEvent*>(e)->m_pRecord);
        return true;
    }
    if (e->type() == CTLDResolvedEvent::kType) {
        const auto* resolved = static_cast<CTLDResolvedEvent*>(e);
        OnResolved(resolved->m_nHandle, resolved->m_result);
        return true;
    }
    return QObject::event(e);
}

void CLookupScheduler::OnLookupDone(CDomainInfo* record)
{
    WakeTimer();
    const int index = m_pDoc->IndexOf(record);
    if (index >= 0) {
        m_pDoc->RecordChanged(index);
        Q_EMIT LookupFinished(index);
    }
    if (m_host.m_notifyWatchWindow)
        m_host.m_notifyWatchWindow(record);
}

void CLookupScheduler::OnResolved(int handle, const CResolveResult& result)
{
    const int row = OnTLDResolved(handle, result);
    if (row < 0 && ~row < g_tldTable.GetSize())
        AbortLookupsForTLD(g_tldTable.GetAt(~row)->m_strTLD);
}

void CLookupScheduler::OnWatchNotification(const CDomainInfo& watched)
{
    for (int i = m_pDoc->GetCount() - 1; i >= 0; --i) {
        if (EqualsNoCase(m_pDoc->GetAt(i)->m_strName, watched.m_strName)) {
            m_pDoc->NotifyRowChanged(i);
            break;
        }
    }
    QFile log(GetProgramFolder() + QStringLiteral("watchlog.txt"));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QByteArray line = watched.m_strName + " changed, logged at " + watched.m_dtChecked.FormatDateTime().toLatin1()
            + "\r\n";
        line[0] = QChar::toUpper(uchar(line[0])) < 256 ? char(QChar::toUpper(uchar(line[0]))) : line[0];
        log.write(line);
    }
    if (m_host.m_beep)
        m_host.m_beep();
}

bool CLookupScheduler::WaitUntilIdle(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        CMainThreadQueue::RunPending();
        if (!IsBusy())
            return true;
        if (!CMainThreadQueue::WaitForTask(deadline))
            return false;
    }
}
