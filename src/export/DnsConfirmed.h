#pragma once

#include <optional>

class CDomainInfo;

// Whether DNS confirmed a free record: true when it found no delegation,
// false when it could not tell; nothing for a record that is not free or
// was looked up without DNS.
std::optional<bool> DnsConfirmed(const CDomainInfo& record);
