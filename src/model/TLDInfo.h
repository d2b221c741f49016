#pragma once

#include "model/Archive.h"
#include "net/HostEntrySlot.h"

#include <QByteArray>

#include <chrono>
#include <cstdint>
#include <memory>

// One row of the TLD table: a top-level domain, the whois server that
// answers for it, whether it is ticked in the name dialogs, and the user's
// favourite registrar. While the program runs it also carries the server's
// resolved address.
class CTLDInfo
{
public:
    static const CRuntimeClass classCTLDInfo;
    static constexpr int kNoRequest = -1;

    CTLDInfo() = default;
    CTLDInfo(QByteArray tld, QByteArray server, uint8_t selected = 0);
    virtual ~CTLDInfo() = default;
    CTLDInfo(const CTLDInfo&) = delete;
    CTLDInfo& operator=(const CTLDInfo&) = delete;

    QByteArray m_strTLD;
    QByteArray m_strServer;
    uint8_t m_bSelected = 0;
    QByteArray m_strRegistrar;
    // Resolved address of m_strServer; its entry is null while unresolved.
    const std::shared_ptr<CHostEntrySlot> m_pHostEnt = std::make_shared<CHostEntrySlot>();
    // Pending resolution request, or kNoRequest.
    int m_hResolve = kNoRequest;
    // After a failed resolution the row is not asked again before this
    // moment, so that quick scheduling ticks do not flood the name server.
    std::chrono::steady_clock::time_point m_retryAfter{};

    bool IsResolved() const { return m_pHostEnt->Get() != nullptr; }

    void Serialize(CArchive& ar);
};
