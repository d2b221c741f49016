#pragma once

#include "lookup/ControlNames.h"
#include "lookup/LookupOptions.h"
#include "lookup/ServerPacer.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <map>
#include <memory>

class CDomainDoc;
class CDomainInfo;

// Decides when each record's lookup starts, how many run at once, and what
// happens when one ends or is stopped. "Lookup Selected" is driven by a
// timer: every tick fills the free connection slots, never-checked names
// before failed ones. The document's list order is the queue.
class CLookupScheduler : public QObject
{
    Q_OBJECT

public:
    // Hooks into the desktop; the command line and tests leave them empty.
    struct Host
    {
        std::function<void()> m_beep;                              // watch notification
        std::function<void(bool animate)> m_animateTray;           // lookups running or not
        std::function<void(CDomainInfo* record)> m_notifyWatchWindow;   // a lookup ended
    };

    // Starts the timer with the options' interval.
    CLookupScheduler(CDomainDoc* doc, const CLookupOptions& options, QObject* parent = nullptr);
    // Stops every lookup and waits until none is busy.
    ~CLookupScheduler() override;

    void SetHost(Host host) { m_host = std::move(host); }

    // New options hold from the next tick; running lookups keep theirs.
    void SetOptions(const CLookupOptions& options);
    const CLookupOptions& Options() const { return m_options; }
    // The period the scheduling timer runs with now.
    int TimerIntervalMs() const { return m_timer.interval(); }
    // A new document reads the cleanup choice again.
    void SetStripOutput(bool strip) { m_options.m_bStripOutput = strip; }

    // Commands. index is a row of the document; out-of-range does nothing.
    void CheckAvailability(int index);   // look one record up now
    // Starts the lookup of one record; false when it is busy or no worker
    // could be started.
    bool StartLookup(int index);
    void LookupSelected();               // start "Lookup Selected"
    void StopAll();
    void StopLookup(int index);
    void ResetEntry(int index);
    void ResetSelected();

    // Enable rules of the commands.
    bool CanCheckAvailability(int index) const;
    bool CanLookupSelected() const;
    bool CanStopLookup(int index) const;
    bool CanResetEntry(int index) const;

    bool IsBusy() const;
    bool IsLookupRunning() const { return m_bLookupRunning; }
    int BusyCount() const;

    // One scheduling step; false when "Lookup Selected" has nothing left.
    bool ScheduleLookups();
    void AbortLookupsForTLD(const QByteArray& tld);
    // A watched entry changed elsewhere: log it and ring.
    void OnWatchNotification(const CDomainInfo& watched);

    // The hint line for the current list, and the counts it found.
    QString HintText();
    int m_nTakenCount = 0;
    int m_nAvailableCount = 0;

    // Progress of "Lookup Selected": names done of names to do.
    int ProgressDone() const;
    int ProgressTotal() const { return m_nProgressTotal; }

    // Runs the scheduling tick by hand (the timer calls it too).
    void OnTimer();
    // Waits, delivering completions, until no lookup is busy or the timeout.
    bool WaitUntilIdle(int timeoutMs);

Q_SIGNALS:
    void HintChanged(const QString& text);
    // A server asked to be asked less, and its names wait until then.
    void ServerPaused(const QString& server, int seconds, const QString& reason);
    // No DNS server could be chosen: lookups go on without DNS. Once a
    // scheduler; the user is told too.
    void DnsUnavailable(const QString& error);
    void Ticked();
    void LookupRunningChanged(bool running);
    void LookupFinished(int index);

protected:
    bool event(QEvent* e) override;

private:
    void SetLookupRunning(bool running);
    void WakeTimer();
    void OnLookupDone(CDomainInfo* record, const struct CLookupOutcome& outcome);
    // Starts record's lookup with the channel its TLD row names; a control
    // name asks the registry alone.
    bool StartRecord(CDomainInfo& record, bool bControl = false);
    // The options a lookup starts with: the scheduler's, with the DNS
    // server chosen on first need.
    CLookupOptions LookupOptions(bool bControl);
    // Starts server's control name when one is due; true when it started.
    bool StartControl(const QByteArray& serverKey, const CDomainInfo& forRecord);
    void OnControlDone(const QByteArray& serverKey, const CLookupOutcome& outcome);
    void PaceAfter(const CLookupOutcome& outcome);
    // Pauses a server as for a rate limit and says so, once a pause.
    void PauseServer(const QByteArray& serverKey, std::optional<std::chrono::seconds> wait, const QString& reason,
                     bool learnRate = true);
    bool IsControl(const CDomainInfo* record) const;
    int BusyControls() const;
    // The pacer's key of the server that answers for record's name.
    QByteArray ServerKeyOf(const CDomainInfo& record) const;
    QString PauseText() const;
    void OnResolved(int handle, const struct CResolveResult& result);
    void ResetRecord(CDomainInfo& record);
    bool HasHighlight(int index) const;
    int CountToDo() const;

    CDomainDoc* m_pDoc;
    CLookupOptions m_options;
    CServerPacer m_pacer;
    CControlNames m_controls;
    // The control lookups, one record per server, never in the document.
    std::map<QByteArray, std::unique_ptr<CDomainInfo>> m_controlRecords;
    QTimer m_timer;
    // Wakes the scheduler when a paused server may be asked again.
    QTimer m_resumeTimer;
    // The last step started nothing only because names wait for servers.
    bool m_bHeld = false;
    // The time that step judged the waits by: a wait that ended while the
    // step ran still wakes the next one.
    CServerPacer::Clock::time_point m_stepTime{};
    Host m_host;
    bool m_bLookupRunning = false;
    bool m_bTrayAnimating = false;
    QString m_strHint;
    std::shared_ptr<const CDnsServer> m_pDnsServer;
    bool m_bDnsChosen = false;
    int m_nProgressTotal = 0;
};
