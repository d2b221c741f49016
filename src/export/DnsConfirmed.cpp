#include "export/DnsConfirmed.h"

#include "model/DomainInfo.h"
#include "verdict/DnsNote.h"

std::optional<bool> DnsConfirmed(const CDomainInfo& record)
{
    if (record.m_nStatus != STATUS_AVAILABLE)
        return std::nullopt;
    switch (DnsNote::Find(record.m_strWhois)) {
    case DnsNote::Kind::Confirmed:
        return true;
    case DnsNote::Kind::Unconfirmed:
        return false;
    case DnsNote::Kind::None:
    case DnsNote::Kind::Delegated:
    case DnsNote::Kind::Stopped:
        break;
    }
    return std::nullopt;
}
