#pragma once

#include "lookup/LookupOptions.h"
#include "model/LookupHandle.h"
#include "model/OleDateTime.h"
#include "net/HostEntrySlot.h"
#include "net/WhoisSocket.h"

#include <QByteArray>
#include <QEvent>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

class CDomainInfo;
class QObject;

// Sent to a record's notify window when its lookup has ended and the answer,
// date and status are in the record.
class CLookupDoneEvent : public QEvent
{
public:
    static const QEvent::Type kType;
    explicit CLookupDoneEvent(CDomainInfo* record) : QEvent(kType), m_pRecord(record) {}
    CDomainInfo* m_pRecord;
};

// One running lookup: its buffers, socket and parameters, shared by the
// record (GUI thread) and the worker thread until the completion has been
// delivered. The worker never touches the record; it leaves its results
// here and the GUI thread moves them into the record on completion.
class CWhoisConnection : public CLookupHandle
{
public:
    CWhoisConnection();
    ~CWhoisConnection() override;
    CWhoisConnection(const CWhoisConnection&) = delete;
    CWhoisConnection& operator=(const CWhoisConnection&) = delete;

    // Starts a lookup of name for record on a new worker thread and makes the
    // record busy. False (and the record stays idle) when the record is busy
    // already or no thread could be started.
    static bool Start(CDomainInfo& record, const QByteArray& name, const CLookupOptions& options);

    // Worker thread: asks the whois server; false with m_szMessage set when
    // the query failed.
    bool QueryWhois();

    // GUI thread: the record is going away; stop, and let the result fall.
    void Detach() override;
    // Any thread: stop at once, wherever the worker waits.
    void Cancel() override { m_socket.Abort(); }

    // Waits until the worker has left its results, or the deadline.
    bool WaitUntilFinished(std::chrono::steady_clock::time_point deadline) const override;
    bool IsFinished() const { return m_bFinished.load(std::memory_order_acquire); }

    char m_szDomain[256] = {};
    char m_szMessage[256] = {};
    std::unique_ptr<char[]> m_pszAnswer;
    CWhoisSocket m_socket;
    int m_nAnswerSize = 4096;

    // Fixed when the lookup starts.
    std::shared_ptr<CHostEntrySlot> m_pSlot;   // address of the server to ask
    QByteArray m_strServer;                     // the name's own row's server text
    int m_nTimeoutSeconds = 60;                 // 0: no limit
    bool m_bStripOutput = true;
    uint8_t m_nPrevStatus = 0;

    // Left by the worker, read by the GUI thread once m_bFinished is set.
    QByteArray m_strResult;
    COleDateTime m_dtResult;
    uint8_t m_nResultStatus = 0;

private:
    friend void LookupThreadProc(std::shared_ptr<CWhoisConnection> conn);
    static void Complete(const std::shared_ptr<CWhoisConnection>& conn);
    bool ReceiveAnswer(CWhoisSocket::Deadline deadline);
    void SetMessage(QByteArrayView text);

    std::atomic<bool> m_bFinished{false};
    CDomainInfo* m_pOwner = nullptr;   // GUI thread only; null once detached
};

// The worker's body: query, turn the answer into the record's text, date and
// status, then hand the result to the GUI thread.
void LookupThreadProc(std::shared_ptr<CWhoisConnection> conn);
