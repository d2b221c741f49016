#pragma once

#include <string>
#include <string_view>

// RDAP answers as a registry sends them, for the loopback RDAP server.
namespace RdapJson {

// The text as the inside of a JSON string: quotes, backslashes and controls
// escaped, bytes that are not UTF-8 replaced by U+FFFD.
std::string Escaped(std::string_view text);

// A domain object for a registered name: ldhName, handle, status values, a
// registrar entity with a vCard "fn", registration / expiration / last
// changed events and two nameservers. Every "%s" stands for the name.
std::string DomainTemplate();
// The error object RDAP servers send with a 404 (or other error) status.
std::string Error(int nCode, std::string_view title, std::string_view description);

} // namespace RdapJson
