#pragma once

#include "model/Archive.h"
#include "model/LookupHandle.h"
#include "model/OleDateTime.h"
#include "verdict/DomainStatus.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>

class CRulePack;

// The display text of a status code: "Unknown", "Checking", "Not Available",
// "*AVAILABLE*", "Too many errors", and "Error" for everything else.
const char* GetStatusText(int status);

// One entry of the domain list: the name, what its last lookup answered and
// when, and what that answer means.
class CDomainInfo
{
public:
    static const CRuntimeClass classCDomainInfo;

    CDomainInfo();
    virtual ~CDomainInfo();
    CDomainInfo(const CDomainInfo&) = delete;
    CDomainInfo& operator=(const CDomainInfo&) = delete;

    QByteArray m_strName;
    QByteArray m_strWhois;
    COleDateTime m_dtChecked;
    uint8_t m_bSelected = 0;
    uint8_t m_nStatus = STATUS_UNKNOWN;
    uint8_t m_nPrevStatus = STATUS_UNKNOWN;
    // The running lookup, shared with its worker; null while the record is
    // idle, so idle records hold no lookup buffers at all. Touched by the
    // GUI thread only.
    std::shared_ptr<CLookupHandle> m_pConn;
    // Who is told when the running lookup ends; set when a lookup starts.
    QPointer<QObject> m_pNotifyWnd;
    QByteArray m_strDNS;
    int32_t m_nNumber = 0;
    uint8_t m_nMarker = 0;
    // The record's place in its document's list, kept by the document.
    mutable int m_nPosition = -1;

    // True while a lookup runs for this record: from its start until its
    // completion has been delivered (GUI thread only).
    bool IsBusy() const { return m_pConn != nullptr; }
    // Tells a running lookup to stop; its result still arrives.
    void CancelLookup() const
    {
        if (m_pConn)
            m_pConn->Cancel();
    }

    // The stored name: the name with the DNS text, marker and number folded
    // in ("name~dns@1!7"), and the reverse.
    QByteArray BuildStoredName() const;
    void TakeApartStoredName(QByteArray text);

    void Serialize(CArchive& ar);

    const char* StatusText() const { return GetStatusText(m_nStatus); }
};

// The answer steps on a record: cleanup (only when strip is set) rewrites
// m_strWhois; classification sets m_nStatus from m_strWhois and
// m_nPrevStatus, with fallback for a text that decides nothing.
// Classification uses the rule pack in force (or the one given, for many
// records in a row), and server when the text does not name its own.
void CleanWhoisAnswer(CDomainInfo& record, bool strip);
void ClassifyAnswer(CDomainInfo& record, uint8_t fallback);
void ClassifyAnswer(CDomainInfo& record, uint8_t fallback, const CRulePack& pack, QByteArrayView server = {});
