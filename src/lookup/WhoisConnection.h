#pragma once

#include "lookup/Lookup.h"
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

// One whois lookup over port 43: its buffers, socket and the server's
// address, on a worker thread of its own.
class CWhoisConnection : public CLookup
{
public:
    CWhoisConnection();
    ~CWhoisConnection() override;

    // Starts a lookup of name for record on a new worker thread and makes the
    // record busy. False (and the record stays idle) when the record is busy
    // already or no thread could be started.
    static bool Start(CDomainInfo& record, const QByteArray& name, const CLookupOptions& options);

    // Worker thread: asks the whois server; false with m_szMessage set when
    // the query failed.
    bool QueryWhois();

    // Any thread: stop at once, wherever the worker waits.
    void Cancel() override { m_socket.Abort(); }

    char m_szDomain[256] = {};
    char m_szMessage[256] = {};
    std::unique_ptr<char[]> m_pszAnswer;
    CWhoisSocket m_socket;
    int m_nAnswerSize = 4096;

    // Fixed when the lookup starts: the address of the server to ask.
    std::shared_ptr<CHostEntrySlot> m_pSlot;

private:
    friend void LookupThreadProc(std::shared_ptr<CWhoisConnection> conn);
    bool ReceiveAnswer(CWhoisSocket::Deadline deadline);
    void SetMessage(QByteArrayView text);
};

// The worker's body: query, turn the answer into the record's text, date and
// status, then hand the result to the GUI thread.
void LookupThreadProc(std::shared_ptr<CWhoisConnection> conn);
