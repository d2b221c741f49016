#include "net/HostResolver.h"

#include "net/MainThreadQueue.h"

#include <netdb.h>
#include <netinet/in.h>

#include <cstring>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace {

// Pending requests by handle; main thread only.
std::unordered_map<int, CHostResolver::Callback>& Pending()
{
    static std::unordered_map<int, CHostResolver::Callback> pending;
    return pending;
}

void Deliver(int handle, const CResolveResult& result)
{
    const auto it = Pending().find(handle);
    if (it == Pending().end())
        return;   // cancelled
    const CHostResolver::Callback callback = std::move(it->second);
    Pending().erase(it);
    callback(handle, result);
}

}

CResolveResult CHostResolver::Resolve(const QByteArray& host, uint16_t port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME | AI_ADDRCONFIG;
    addrinfo* list = nullptr;
    CResolveResult result;
    result.m_nError = host.isEmpty() ? EAI_NONAME : getaddrinfo(host.constData(), nullptr, &hints, &list);
    if (result.m_nError != 0)
        return result;

    auto entry = std::make_shared<CHostEntry>();
    entry->m_strHostName = (list->ai_canonname && *list->ai_canonname) ? QByteArray(list->ai_canonname) : host;
    for (const addrinfo* ai = list; ai; ai = ai->ai_next) {
        if ((ai->ai_family != AF_INET && ai->ai_family != AF_INET6) || ai->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        CHostAddress address;
        std::memcpy(&address.m_addr, ai->ai_addr, ai->ai_addrlen);
        address.m_nLength = ai->ai_addrlen;
        if (ai->ai_family == AF_INET)
            reinterpret_cast<sockaddr_in*>(&address.m_addr)->sin_port = htons(port);
        else
            reinterpret_cast<sockaddr_in6*>(&address.m_addr)->sin6_port = htons(port);
        entry->m_addresses.push_back(address);
    }
    freeaddrinfo(list);
    if (entry->m_addresses.empty())
        result.m_nError = EAI_NODATA;
    else
        result.m_pEntry = std::move(entry);
    return result;
}

int CHostResolver::Start(const QByteArray& host, uint16_t port, Callback callback)
{
    static int lastHandle = 0;
    const int handle = ++lastHandle;
    Pending().emplace(handle, std::move(callback));
    CMainThreadQueue::Listen();
    CMainThreadQueue::ThreadStarting();
    auto work = [handle, host, port] {
        CResolveResult result = Resolve(host, port);
        CMainThreadQueue::Post([handle, result] { Deliver(handle, result); });
        CMainThreadQueue::ThreadEnded();
    };
    try {
        std::thread(work).detach();
    } catch (const std::system_error&) {
        CMainThreadQueue::ThreadEnded();
        CResolveResult failed;
        failed.m_nError = EAI_AGAIN;
        CMainThreadQueue::Post([handle, failed] { Deliver(handle, failed); });
    }
    return handle;
}

void CHostResolver::Cancel(int handle)
{
    Pending().erase(handle);
}
