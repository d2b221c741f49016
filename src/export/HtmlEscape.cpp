#include "export/HtmlEscape.h"

#include <cstring>

namespace {

constexpr qsizetype kLongestEntity = 6;   // &quot;

const char* EntityOf(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

}

void AppendHtmlEscaped(QByteArray& out, QByteArrayView text)
{
    // Written in place: the whois texts are most of a large report.
    const qsizetype start = out.size();
    out.resize(start + kLongestEntity * text.size());
    char* p = out.data() + start;
    for (const char c : text) {
        if (const char* entity = EntityOf(c)) {
            const size_t n = std::strlen(entity);
            std::memcpy(p, entity, n);
            p += n;
        } else {
            *p++ = c;
        }
    }
    out.truncate(p - out.data());
}
