#include "RdapJson.h"

#include <cstdint>
#include <cstdio>

namespace {

// Length of the well-formed UTF-8 sequence at the front, 0 when it is not one.
std::size_t Utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return uint8_t(text[i]); };
    const uint8_t lead = byte(0);
    std::size_t n;
    uint32_t code;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xc2 && lead <= 0xdf) {
        n = 2;
        code = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        n = 3;
        code = lead & 0x0f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        n = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
        code = code << 6 | (byte(i) & 0x3f);
    }
    // Overlong forms, surrogates and beyond U+10FFFF are not UTF-8.
    const bool bOverlong = (n == 3 && code < 0x800) || (n == 4 && code < 0x10000);
    if (bOverlong || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff)
        return 0;
    return n;
}

} // namespace

std::string RdapJson::Escaped(std::string_view text)
{
    std::string out;
    while (!text.empty()) {
        const char c = text.front();
        const std::size_t n = Utf8Length(text);
        if (n == 0) {
            out += "\\ufffd";
            text.remove_prefix(1);
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (uint8_t(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(uint8_t(c)));
            out += escape;
        } else {
            out.append(text.substr(0, n));
        }
        text.remove_prefix(n);
    }
    return out;
}

std::string RdapJson::DomainTemplate()
{
    return R"({"objectClassName":"domain","rdapConformance":["rdap_level_0","icann_rdap_response_profile_0","icann_rdap_technical_implementation_guide_0"],)"
           R"("handle":"2138514_DOMAIN_COM-VRSN","ldhName":"%s",)"
           R"("links":[{"value":"https://rdap.example.net/domain/%s","rel":"self","href":"https://rdap.example.net/domain/%s","type":"application/rdap+json"}],)"
           R"("status":["client delete prohibited","client transfer prohibited","client update prohibited"],)"
           R"("entities":[{"objectClassName":"entity","handle":"292","roles":["registrar"],)"
           R"("publicIds":[{"type":"IANA Registrar ID","identifier":"292"}],)"
           R"("vcardArray":["vcard",[["version",{},"text","4.0"],["fn",{},"text","Example Registrar, Inc."]]]}],)"
           R"("events":[{"eventAction":"registration","eventDate":"1997-09-15T04:00:00Z"},)"
           R"({"eventAction":"expiration","eventDate":"2028-09-14T04:00:00Z"},)"
           R"({"eventAction":"last changed","eventDate":"2019-09-09T15:39:04Z"},)"
           R"({"eventAction":"last update of RDAP database","eventDate":"2026-12-07T00:00:00Z"}],)"
           R"("secureDNS":{"delegationSigned":false},)"
           R"("nameservers":[{"objectClassName":"nameserver","ldhName":"NS1.EXAMPLE.NET"},)"
           R"({"objectClassName":"nameserver","ldhName":"NS2.EXAMPLE.NET"}]})"
           "\n";
}

std::string RdapJson::Error(int nCode, std::string_view title, std::string_view description)
{
    return R"({"rdapConformance":["rdap_level_0"],"errorCode":)" + std::to_string(nCode)
         + R"(,"title":")" + Escaped(title) + R"(","description":[")" + Escaped(description) + "\"]}\n";
}
