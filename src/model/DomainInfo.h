#pragma once

#include "model/Archive.h"
#include "model/OleDateTime.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>

class CWhoisConnection;

enum DomainStatus : uint8_t
{
    STATUS_UNKNOWN = 0,
    STATUS_CHECKING = 1,
    STATUS_TAKEN = 2,
    STATUS_AVAILABLE = 3,
    STATUS_TOO_MANY_ERRORS = 4,
    STATUS_ERROR_FIRST = 5,
    STATUS_ERROR_LAST = 8,
};

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
    // The running lookup's connection, shared with its worker; null while
    // the record is idle, so idle records hold no lookup buffers at all.
    // Touched by the GUI thread only.
    std::shared_ptr<CWhoisConnection> m_pConn;
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

    // The stored name: the name with the DNS text, marker and number folded
    // in ("name~dns@1!7"), and the reverse.
    QByteArray BuildStoredName() const;
    void TakeApartStoredName(QByteArray text);

    void Serialize(CArchive& ar);

    const char* StatusText() const { return GetStatusText(m_nStatus); }
};
