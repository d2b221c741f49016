#pragma once

#include "base/Result.h"
#include "net/HostResolver.h"
#include "model/TLDInfo.h"

#include <QByteArrayView>
#include <QEvent>
#include <QString>

#include <memory>
#include <vector>

// The program-wide table of known TLDs, in the user's order. It owns its rows
// and is touched only by the GUI thread; workers reach a row's address slot
// through shared ownership.
class CTLDTable
{
public:
    CTLDTable() = default;
    ~CTLDTable();
    CTLDTable(const CTLDTable&) = delete;
    CTLDTable& operator=(const CTLDTable&) = delete;

    qsizetype GetSize() const { return qsizetype(m_rows.size()); }
    CTLDInfo* GetAt(qsizetype i) const { return m_rows[size_t(i)].get(); }
    CTLDInfo* Add(std::unique_ptr<CTLDInfo> row);
    void RemoveAt(qsizetype i);
    // Cancels pending resolutions, then destroys every row.
    void RemoveAll();

    std::vector<std::unique_ptr<CTLDInfo>> m_rows;
};

extern CTLDTable g_tldTable;

// Sent to the window given to ResolveWhoisServers when one resolution ends.
class CTLDResolvedEvent : public QEvent
{
public:
    static const QEvent::Type kType;
    CTLDResolvedEvent(int handle, CResolveResult result) : QEvent(kType), m_nHandle(handle), m_result(std::move(result)) {}
    int m_nHandle;
    CResolveResult m_result;
};

// Full path of qzn.tld in the program folder.
QString GetTLDFilePath();

// Reads qzn.tld, or builds the twelve default rows when it cannot be opened.
// A damaged file keeps the rows read before the damage and fails with the
// reason.
CResult LoadTLDTable();
// Reads the rows of a TLD file into table, appending each as it is read.
// Throws CArchiveException at the first damage; the rows before it stay.
void ReadTLDRows(CArchive& ar, CTLDTable& table);
// Writes the whole table to qzn.tld, atomically. A failure leaves the
// previous file as it was.
CResult SaveTLDTable();
// SaveTLDTable, unless the table is exactly as this program last read or
// wrote its file; for program exit.
CResult SaveTLDTableIfChanged();
// Empties the table and appends the twelve default rows (only COM ticked).
void BuildDefaultTLDTable();

CTLDInfo* FindTLD(QByteArrayView name);
bool IsValidDomainName(QByteArrayView name);
QByteArray GetWhoisServer(QByteArrayView name);
QByteArray GetTLDText(QByteArrayView name);
QByteArray GetRegistrarURL(QByteArrayView name);
std::shared_ptr<CHostEntrySlot> FindHostEntrySlot(QByteArrayView name);

// Starts resolving every row that is neither resolved nor resolving; each
// result arrives at window, on window's thread, as a CTLDResolvedEvent.
bool ResolveWhoisServers(QObject* window);
// Records one resolution result: the row's index on success, its complement
// on failure, the row count when no row waits for that handle.
int OnTLDResolved(int handle, const CResolveResult& result);
bool NoServerResolved();
void ResetTLDResolution();
// Kind 0: shorter TLDs first, then alphabetical; kind 1: by server.
void SortTLDTable(int kind);
