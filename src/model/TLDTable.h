#pragma once

#include "base/Result.h"
#include "net/HostResolver.h"
#include "model/TLDInfo.h"
#include "base/TextCompare.h"

#include <QByteArrayView>
#include <QEvent>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

// The program-wide table of known TLDs, in the user's order. Touched only by
// the GUI thread. Rows are shared: a row that leaves the table lives on while
// a pending resolution, a running lookup or the setup dialog still holds it.
// A case-insensitive index by TLD text makes finding a row cost the length of
// the text, not the number of rows; the table keeps it in step with every
// change it makes, so rows are added, removed, reordered and renamed only
// through it.
class CTLDTable
{
public:
    using Rows = std::vector<std::shared_ptr<CTLDInfo>>;

    CTLDTable() = default;
    CTLDTable(const CTLDTable&) = delete;
    CTLDTable& operator=(const CTLDTable&) = delete;

    qsizetype GetSize() const { return qsizetype(m_arrRows.size()); }
    CTLDInfo* GetAt(qsizetype i) const { return m_arrRows[size_t(i)].get(); }
    CTLDInfo* Add(std::shared_ptr<CTLDInfo> row);
    // Removes one row. A row still resolving stays alive until its answer
    // comes, so the lookups that wait for its address still get it; a row
    // that can never be resolved now tells its waiting lookups so at once.
    void RemoveAt(qsizetype i);
    // RemoveAt for every row.
    void RemoveAll();
    // The first row, in table order, whose TLD equals tld without regard to
    // case; null when there is none.
    CTLDInfo* FindRow(QByteArrayView tld) const;
    // Index of row in the table, or -1 when it is not (or no longer) there.
    qsizetype IndexOf(const CTLDInfo* row) const;
    // Changes the TLD text of row i, as typed.
    void SetTLDText(qsizetype i, const QByteArray& tld);
    // Sets the server of the row whose TLD equals tld without regard to case
    // (its TLD text stays as stored), or appends a new unticked row. Returns
    // the row; *pAdded tells which happened.
    CTLDInfo* AddOrUpdate(const QByteArray& tld, const QByteArray& server, bool* pAdded = nullptr);
    // Reorders the rows stably by less.
    void Sort(const std::function<bool(const CTLDInfo&, const CTLDInfo&)>& less);

private:
    friend bool ResolveWhoisServers(QObject* window);
    friend void ResolveWhoisServerOf(QByteArrayView name, QObject* window);
    friend int OnTLDResolved(int handle, const CResolveResult& result);

    // Starts the resolution of row i, unless it is resolved, resolving, or
    // resting after a failure.
    void StartResolving(qsizetype i, QObject* window, std::chrono::steady_clock::time_point now);
    void RebuildIndex();
    // The row leaves the table for good.
    void Release(const std::shared_ptr<CTLDInfo>& row);

    Rows m_arrRows;
    std::unordered_map<QByteArray, CTLDInfo*, NoCaseHash, NoCaseEqual> m_index;
    // Rows waiting for a resolution, by request handle: a pending request
    // holds its row, whether the row is still in the table or not.
    std::unordered_map<int, std::shared_ptr<CTLDInfo>> m_resolving;

public:
    // Read-only view of the rows; changes go through the calls above.
    const Rows& m_rows = m_arrRows;
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
// The row whose server a lookup of name asks: its own, else the one that
// abcd.com finds (a name whose TLD left the table); null when neither exists.
CTLDInfo* FindLookupRow(QByteArrayView name);

// Starts resolving every row that is neither resolved nor resolving; each
// result arrives at window, on window's thread, as a CTLDResolvedEvent (and
// is recorded at once when window has gone, so the row is not left waiting).
bool ResolveWhoisServers(QObject* window);
// The same for the one row a lookup of name needs (FindLookupRow): with a
// table of a thousand TLDs, looking up a few names must not ask the name
// server about every whois server there is.
void ResolveWhoisServerOf(QByteArrayView name, QObject* window);
// Records one resolution result: the row's index on success, its complement
// on failure, the row count when no row of the table waits for that handle.
// A row deleted while it waited still takes its address, for the lookups
// waiting on it, or on failure sends them away at once.
int OnTLDResolved(int handle, const CResolveResult& result);
bool NoServerResolved();
void ResetTLDResolution();
// Kind 0: shorter TLDs first, then alphabetical; kind 1: by server.
void SortTLDTable(int kind);
