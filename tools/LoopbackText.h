#pragma once

#include <optional>
#include <string>
#include <string_view>

// Byte-string helpers the loopback servers share. Names and header names are
// ASCII: a locale must never fold other bytes.
std::string AsciiLower(std::string text);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Without the spaces and tabs at either end.
std::string_view TrimmedBlanks(std::string_view text);
// Every "%s" in the text becomes the replacement.
std::string Substitute(std::string_view text, std::string_view replacement);
// The number a text of decimal digits spells when it is at most max;
// nothing for anything else (signs, blanks, an empty text, overflow).
std::optional<unsigned long> DecimalNumber(std::string_view text, unsigned long max);
