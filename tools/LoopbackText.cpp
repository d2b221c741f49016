#include "LoopbackText.h"

#include <algorithm>
#include <charconv>

namespace {

char AsciiLowerChar(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

std::string AsciiLower(std::string text)
{
    for (char& c : text)
        c = AsciiLowerChar(c);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLowerChar(x) == AsciiLowerChar(y); });
}

std::string_view TrimmedBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Substitute(std::string_view text, std::string_view replacement)
{
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("%s", from)) != std::string_view::npos; from = at + 2)
        out.append(text, from, at - from).append(replacement);
    return out.append(text, from);
}

std::optional<unsigned long> DecimalNumber(std::string_view text, unsigned long max)
{
    unsigned long value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > max)
        return std::nullopt;
    return value;
}
