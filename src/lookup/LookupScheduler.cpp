#include "lookup/LookupScheduler.h"

#include "lookup/Lookup.h"
#include "lookup/RdapLookup.h"
#include "lookup/WhoisConnection.h"
#include "model/DomainDoc.h"
#include "net/MainThreadQueue.h"
#include "model/ServerText.h"
#include "model/TLDTable.h"
#include "base/ProgramFolder.h"
#include "base/UserMessage.h"
#include "net/DnsServer.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <map>

namespace {

bool IsFinalStatus(uint8_t status)
{
    return status == STATUS_TAKEN || status == STATUS_AVAILABLE || status == STATUS_TOO_MANY_ERRORS;
}

}

CLookupScheduler::CLookupScheduler(CDomainDoc* doc, const CLookupOptions& options, QObject* parent)
    : QObject(parent), m_pDoc(doc), m_options(options), m_pacer(options.m_nServerConnections)
{
    connect(&m_timer, &QTimer::timeout, this, &CLookupScheduler::OnTimer);
    m_timer.start(std::max(0, m_options.m_nIntervalMs));
    m_resumeTimer.setSingleShot(true);
    // Never early: a wake before the wait ends starts nothing.
    m_resumeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_resumeTimer, &QTimer::timeout, this, &CLookupScheduler::WakeTimer);
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
    m_pacer.SetPerServerLimit(options.m_nServerConnections);
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
    if (!HasHighlight(index) || m_pDoc->GetAt(index)->IsBusy())
        return false;
    const bool started = StartRecord(*m_pDoc->GetAt(index));
    m_pDoc->NotifyRowChanged(index);
    return started;
}

CLookupOptions CLookupScheduler::LookupOptions(bool bControl)
{
    CLookupOptions options = m_options;
    if (bControl) {
        // A control tests the registry's word; DNS would hide its lie.
        options.m_bResolveNames = false;
        return options;
    }
    if (!options.m_bResolveNames || options.m_pDnsServer)
        return options;
    if (!m_bDnsChosen) {
        m_bDnsChosen = true;
        CDnsServer server;
        QString error;
        if (CDnsServer::Choose(&server, &error)) {
            m_pDnsServer = std::make_shared<const CDnsServer>(server);
        } else {
            const QString text = QStringLiteral("Telvaro found no DNS server to ask (%1). Names are looked up "
                                                "without DNS, and free names stay unconfirmed.").arg(error);
            Q_EMIT DnsUnavailable(text);
            // Not from inside a scheduling step, which a message box would
            // interrupt.
            QTimer::singleShot(0, this, [text] { ReportUserError(text); });
        }
    }
    options.m_pDnsServer = m_pDnsServer;
    return options;
}

bool CLookupScheduler::StartRecord(CDomainInfo& record, bool bControl)
{
    record.m_pNotifyWnd = this;
    record.m_nPrevStatus = record.m_nStatus;
    record.m_nStatus = STATUS_CHECKING;
    const QByteArray name = record.m_strName.trimmed().left(255);
    const CLookupOptions options = LookupOptions(bControl);
    // The TLD row's server text names the channel.
    if (IsRdapBase(GetWhoisServer(name)))
        return CRdapLookup::Start(record, name, options);
    // Only the server this name needs: a table may hold a thousand.
    ResolveWhoisServerOf(name, this);
    return CWhoisConnection::Start(record, name, options);
}

bool CLookupScheduler::StartControl(const QByteArray& serverKey, const CDomainInfo& forRecord)
{
    if (!m_options.m_bControlNames || !m_bLookupRunning)
        return false;
    const QByteArray tld = GetTLDText(forRecord.m_strName.trimmed());
    const QByteArray name = m_controls.Due(serverKey, tld);
    if (name.isEmpty())
        return false;
    std::unique_ptr<CDomainInfo>& control = m_controlRecords[serverKey];
    if (!control)
        control = std::make_unique<CDomainInfo>();
    if (control->IsBusy())
        return false;
    // The control is asked of the same row as the names it vouches for.
    control->m_strName = name;
    control->m_nStatus = STATUS_UNKNOWN;
    const bool started = GetWhoisServer(name) == GetWhoisServer(forRecord.m_strName.trimmed()) && StartRecord(*control, true);
    m_controls.Started(serverKey, started);
    return started;
}

bool CLookupScheduler::IsControl(const CDomainInfo* record) const
{
    return std::any_of(m_controlRecords.begin(), m_controlRecords.end(),
                       [record](const auto& entry) { return entry.second.get() == record; });
}

int CLookupScheduler::BusyControls() const
{
    return int(std::count_if(m_controlRecords.begin(), m_controlRecords.end(),
                             [](const auto& entry) { return entry.second->IsBusy(); }));
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
    m_controls.Clear(m_options.m_controlNames);
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
    for (const auto& [key, control] : m_controlRecords)
        control->CancelLookup();
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
    return BusyControls() + int(std::count_if(records.begin(), records.end(), [](const auto& r) { return r->IsBusy(); }));
}

bool CLookupScheduler::IsBusy() const
{
    const auto records = m_pDoc->Records();
    return m_bLookupRunning || BusyControls() > 0
        || std::any_of(records.begin(), records.end(), [](const auto& r) { return r->IsBusy(); });
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

QByteArray CLookupScheduler::ServerKeyOf(const CDomainInfo& record) const
{
    if (record.IsBusy()) {
        if (const auto* lookup = dynamic_cast<const CLookup*>(record.m_pConn.get()))
            return lookup->m_strServerKey;
    }
    return CServerPacer::KeyOf(GetWhoisServer(record.m_strName.trimmed()));
}

bool CLookupScheduler::ScheduleLookups()
{
    m_bHeld = false;
    const auto records = m_pDoc->Records();
    const int maxConnections = m_options.m_nMaxConnections;
    int running = 0;
    std::map<QByteArray, int> runningPerServer;
    for (const auto& [key, control] : m_controlRecords) {
        if (control->IsBusy()) {
            ++running;
            ++runningPerServer[key];
        }
    }
    for (const auto& r : records) {
        if (r->IsBusy()) {
            ++running;
            if (m_pacer.IsEnabled())
                ++runningPerServer[ServerKeyOf(*r)];
        }
        if (running >= maxConnections)
            return true;
    }

    const auto now = CServerPacer::Clock::now();
    m_stepTime = now;
    // One pass over the ticked, idle records that pass the filter, starting
    // each whose server may be asked until the connection limit is reached;
    // true when any started. A record whose server is full or paused keeps
    // its place for a later step.
    auto pass = [&](auto wanted) {
        int started = 0;
        for (int i = 0; i < int(records.size()) && running < maxConnections; ++i) {
            const CDomainInfo& r = *records[size_t(i)];
            if (!r.m_bSelected || r.IsBusy() || !wanted(r.m_nStatus))
                continue;
            const QByteArray key = ServerKeyOf(r);
            if (m_pacer.IsEnabled() && !m_pacer.CanStart(key, runningPerServer[key], now)) {
                m_bHeld = true;
                continue;
            }
            // A known registered name goes first, now and then.
            if (StartControl(key, r)) {
                ++running;
                ++started;
                ++runningPerServer[key];
                m_pacer.OnStarted(key, now);
                if (running >= maxConnections || (m_pacer.IsEnabled() && !m_pacer.CanStart(key, runningPerServer[key], now)))
                    continue;
            }
            if (StartLookup(i)) {
                ++running;
                ++started;
                ++runningPerServer[key];
                m_pacer.OnStarted(key, now);
            }
        }
        return started > 0;
    };
    if (pass([](uint8_t s) { return s == STATUS_UNKNOWN || s == STATUS_CHECKING; }))
        return true;
    if (pass([](uint8_t s) { return !IsFinalStatus(s); }))
        return true;
    // Nothing started: "Lookup Selected" goes on only while names wait for
    // a server that is full or paused.
    return m_bHeld;
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
    // With no pause between ticks, rest while every slot is taken, nothing
    // runs, or the names left wait for their servers; the next completion,
    // command or the end of a pause wakes the timer.
    if (m_timer.interval() == 0 && (!IsBusy() || BusyCount() >= m_options.m_nMaxConnections || m_bHeld))
        m_timer.stop();
    if (m_bHeld) {
        if (const auto resume = m_pacer.NextResume(m_stepTime)) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*resume - CServerPacer::Clock::now());
            m_resumeTimer.start(int(std::clamp<long long>(wait.count(), 1, 3600 * 1000)));
        }
    }
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
    if (IsBusy())
        text += PauseText();
    text += QStringLiteral("[%1 Domains, %2 checked, %3 available, %4 taken]").arg(n).arg(taken + available).arg(available).arg(taken);
    m_nTakenCount = taken;
    m_nAvailableCount = available;
    return text;
}

QString CLookupScheduler::PauseText() const
{
    const auto now = CServerPacer::Clock::now();
    const std::vector<CServerPacer::CPause> pauses = m_pacer.ActivePauses(now);
    if (pauses.empty())
        return {};
    const CServerPacer::CPause& first = pauses.front();
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(first.m_until - now).count();
    QString text = QStringLiteral("%1 asked to be asked less often; its names wait %2 s").arg(QString::fromLatin1(first.m_strServer)).arg(seconds);
    if (pauses.size() > 1)
        text += QStringLiteral(" (%1 more servers wait too)").arg(pauses.size() - 1);
    return text + QStringLiteral(". ");
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
        const auto* done = static_cast<CLookupDoneEvent*>(e);
        OnLookupDone(done->m_pRecord, done->m_outcome);
        return true;
    }
    if (e->type() == CTLDResolvedEvent::kType) {
        const auto* resolved = static_cast<CTLDResolvedEvent*>(e);
        OnResolved(resolved->m_nHandle, resolved->m_result);
        return true;
    }
    return QObject::event(e);
}

void CLookupScheduler::OnLookupDone(CDomainInfo* record, const CLookupOutcome& outcome)
{
    WakeTimer();
    PaceAfter(outcome);
    if (IsControl(record)) {
        OnControlDone(outcome.m_strServerKey, outcome);
        return;
    }
    if (outcome.m_verdict.IsVerdict())
        m_controls.CountVerdict(outcome.m_strServerKey, record->m_strName);
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

void CLookupScheduler::PaceAfter(const CLookupOutcome& outcome)
{
    const auto now = CServerPacer::Clock::now();
    const CVerdict& verdict = outcome.m_verdict;
    if (verdict.m_nKind == VerdictKind::RateLimited) {
        std::optional<std::chrono::seconds> wait;
        if (verdict.m_nWaitSeconds >= 0)
            wait = std::chrono::seconds(verdict.m_nWaitSeconds);
        PauseServer(outcome.m_strServerKey, wait, verdict.m_strRule);
    } else if (verdict.IsVerdict()) {
        m_pacer.OnAnswer(outcome.m_strServerKey, now);
    }
}

void CLookupScheduler::OnControlDone(const QByteArray& serverKey, const CLookupOutcome& outcome)
{
    const CDomainInfo* control = m_controlRecords.at(serverKey).get();
    const CControlNames::CAnswer answer = m_controls.OnControlAnswer(serverKey, outcome.m_verdict);
    if (!answer.m_bLying)
        return;
    // The server called a registered name free: what it said since its
    // last good control is not to be trusted, and it rests a while.
    const QString reason = QStringLiteral("it called %1 free, which is registered").arg(QString::fromLatin1(control->m_strName));
    const QByteArray why = "Telvaro asked " + serverKey + " about " + control->m_strName
        + ", a name known to be registered, and it answered that the name was free. Its answers since its last "
          "truthful one were not trusted; this name waits to be looked up again.\r\n";
    for (const QByteArray& name : answer.m_voided) {
        CDomainInfo* record = m_pDoc->FindDomain(name);
        if (!record || record->IsBusy())
            continue;
        record->m_nStatus = STATUS_UNKNOWN;
        record->m_strWhois = why;
        record->m_dtChecked.SetStatus(COleDateTime::null);
        m_pDoc->RecordChanged(m_pDoc->IndexOf(record));
    }
    PauseServer(serverKey, std::nullopt, reason, false);
}

void CLookupScheduler::PauseServer(const QByteArray& serverKey, std::optional<std::chrono::seconds> wait,
                                   const QString& reason, bool learnRate)
{
    if (!m_pacer.IsEnabled())
        return;
    const auto now = CServerPacer::Clock::now();
    const bool wasPaused = m_pacer.IsPaused(serverKey, now);
    m_pacer.OnRateLimit(serverKey, wait, now, reason, learnRate);
    if (wasPaused)
        return;   // lookups under way when it paused say so too
    for (const CServerPacer::CPause& pause : m_pacer.ActivePauses(now)) {
        if (pause.m_strServer == serverKey) {
            const auto seconds = std::chrono::ceil<std::chrono::seconds>(pause.m_until - now).count();
            Q_EMIT ServerPaused(QString::fromLatin1(serverKey), int(seconds), reason);
        }
    }
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
        // A stopped RDAP lookup ends at once, inside its abort, so the
        // queue alone brings every result; Qt's events are not run here,
        // where the view may be half gone.
        if (!CMainThreadQueue::WaitForTask(deadline))
            return false;
    }
}
