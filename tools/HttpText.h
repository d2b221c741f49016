#pragma once

#include <chrono>
#include <string>
#include <string_view>

// Small pieces of HTTP text for the loopback RDAP server.
namespace HttpText {

// "Not Found" for 404; a neutral phrase for codes it does not know.
std::string_view ReasonPhrase(int nStatus);
// The IMF-fixdate form, "Sun, 06 Nov 1994 08:49:37 GMT".
std::string Date(std::chrono::system_clock::time_point when);
// The value of a hex digit, -1 for any other byte.
int HexValue(char c);
// %XX escapes undone; a broken escape stays as it is.
std::string PercentDecoded(std::string_view text);
// Every byte but the unreserved ones as %XX, so that a name from a request
// cannot break out of the URL or header it is put into.
std::string PercentEncoded(std::string_view text);

} // namespace HttpText
