#pragma once

#include "lookup/LookupOptions.h"
#include "model/LookupHandle.h"
#include "model/OleDateTime.h"
#include "verdict/Verdict.h"

#include <QByteArray>
#include <QEvent>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

class CDnsClient;
class CDomainInfo;
struct CDnsServer;

// What the scheduler hears of one ended lookup beyond the record itself:
// which server answered and what its answer meant.
struct CLookupOutcome
{
    QByteArray m_strServerKey;
    CVerdict m_verdict;
};

// Sent to a record's notify window when its lookup has ended and the answer,
// date and status are in the record.
class CLookupDoneEvent : public QEvent
{
public:
    static const QEvent::Type kType;
    CLookupDoneEvent(CDomainInfo* record, CLookupOutcome outcome)
        : QEvent(kType), m_pRecord(record), m_outcome(std::move(outcome))
    {
    }
    CDomainInfo* m_pRecord;
    CLookupOutcome m_outcome;
};

// One running lookup of one record, whatever channel asks the registry. The
// record (GUI thread) and the channel's worker share it until the result is
// delivered; the worker never touches the record: it leaves text, date and
// verdict here, and Deliver() moves them into the record on the GUI thread.
class CLookup : public CLookupHandle
{
public:
    CLookup(const CLookup&) = delete;
    CLookup& operator=(const CLookup&) = delete;
    ~CLookup() override = default;

    // GUI thread: the record is going away; stop, and let the result fall.
    void Detach() override;
    bool WaitUntilFinished(std::chrono::steady_clock::time_point deadline) const override;
    bool IsFinished() const { return m_bFinished.load(std::memory_order_acquire); }

    // GUI thread: moves a finished result into its record and tells the
    // record's notify window. Nothing when the record went away.
    static void Deliver(const std::shared_ptr<CLookup>& lookup);

    // Fixed when the lookup starts.
    QByteArray m_strServer;      // the name's own row's server text
    QByteArray m_strServerKey;   // the server as the pacer knows it
    int m_nTimeoutSeconds = 60;  // 0: no limit
    bool m_bStripOutput = true;
    uint8_t m_nPrevStatus = 0;
    bool m_bResolveNames = true;                   // ask DNS after the registry
    std::shared_ptr<const CDnsServer> m_pDnsServer;  // null: none could be chosen
    // The whole lookup's time limit, DNS included.
    std::chrono::steady_clock::time_point m_deadline;

    // Left by the worker, read by the GUI thread once finished.
    QByteArray m_strResult;
    COleDateTime m_dtResult;
    uint8_t m_nResultStatus = 0;
    CVerdict m_verdict;
    // The record's address text, when DNS was asked for it.
    std::optional<QByteArray> m_strAddress;

protected:
    CLookup() = default;

    // GUI thread, when the lookup starts: binds it to record with the
    // options and server of its name, and makes the record busy.
    void Attach(CDomainInfo& record, const std::shared_ptr<CLookup>& self, const CLookupOptions& options);
    // GUI thread: the lookup could not start after all; the record is idle.
    void Unattach(CDomainInfo& record);

    // Worker: the answer (or failure text) as received: line ends turned
    // into CR LF, cleaned when asked, classified and stamped. Then finished.
    void Finish(QByteArray text);
    // Finish in steps, for a lookup that asks DNS before it is done.
    void Settle(QByteArray text);
    bool WantsDns() const;
    // Blocking: asks DNS whether a free name is delegated after all (it is
    // then taken) and for a taken name's address, within the deadline.
    void CheckDns(CDnsClient& client, const QByteArray& name);
    void MarkFinished();
private:
    std::atomic<bool> m_bFinished{false};
    CDomainInfo* m_pOwner = nullptr;   // GUI thread only; null once detached
};
