#pragma once

#include "net/HostEntrySlot.h"

#include <QByteArray>

#include <functional>
#include <memory>

// The outcome of resolving a whois server's name: an error code (0 when it
// resolved) and the host entry with every address.
struct CResolveResult
{
    int m_nError = 0;
    std::shared_ptr<const CHostEntry> m_pEntry;
};

// Asynchronous name resolution: each request resolves on a background thread
// and its callback runs on the main thread, unless it was cancelled first.
class CHostResolver
{
public:
    using Callback = std::function<void(int handle, const CResolveResult& result)>;

    // Main thread. Returns the request's handle, always greater than 0.
    static int Start(const QByteArray& host, uint16_t port, Callback callback);
    // Main thread. The callback of a cancelled request never runs.
    static void Cancel(int handle);

    // Blocking resolution, as the background thread does it.
    static CResolveResult Resolve(const QByteArray& host, uint16_t port);
};
