#include "export/CsvExport.h"

#include "export/DnsConfirmed.h"

#include "export/ExportDate.h"
#include "export/ExportSink.h"
#include "model/DomainDoc.h"

#include <array>
#include <cstring>

namespace {

// The bytes that need more than a copy: quoting or a second UTF-8 byte.
constexpr auto kSpecial = [] {
    std::array<bool, 256> special{};
    special['"'] = special[','] = special['\r'] = special['\n'] = true;
    for (int c = 0x80; c < 0x100; ++c)
        special[size_t(c)] = true;
    return special;
}();

// One field, from 8-bit text (read as Latin-1) to UTF-8, quoted when it
// holds a comma, a quote or a line break. Written in place: whois texts make
// up most of a large export.
void AppendField(QByteArray& out, QByteArrayView latin1)
{
    const qsizetype start = out.size();
    // Room for a quote before and after and every byte doubled.
    out.resize(start + 2 * latin1.size() + 2);
    char* const first = out.data() + start;
    char* p = first + 1;
    bool quote = false;
    for (const char c : latin1) {
        const auto u = static_cast<unsigned char>(c);
        if (!kSpecial[u]) {
            *p++ = c;
        } else if (u >= 0x80) {
            *p++ = char(0xC0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3F));
        } else {
            quote = true;
            if (c == '"')
                *p++ = '"';
            *p++ = c;
        }
    }
    if (quote) {
        *first = '"';
        *p++ = '"';
    } else {
        std::memmove(first, first + 1, size_t(p - first - 1));
        --p;
    }
    out.truncate(p - out.data());
}

}

CExportResult WriteCsvExport(const CDomainDoc& doc, const CExportTarget& target, ExportScope scope)
{
    return target.Write([&](CExportSink& sink) {
        // New columns go after whois, so that existing readers find theirs.
        sink.Append("name,status,status_text,checked,whois,confirmed,dns\r\n");
        int written = 0;
        for (int i = 0; i < doc.GetCount(); ++i) {
            const CDomainInfo& record = *doc.GetAt(i);
            if (!IsInScope(record, scope))
                continue;
            QByteArray& out = sink.Buffer();
            AppendField(out, record.m_strName);
            out += ',';
            out += QByteArray::number(record.m_nStatus);
            out += ',';
            AppendField(out, record.StatusText());
            out += ',';
            out += IsoDateText(record.m_dtChecked).toLatin1();
            out += ',';
            AppendField(out, record.m_strWhois);
            out += ',';
            if (const std::optional<bool> confirmed = DnsConfirmed(record))
                out += *confirmed ? "true" : "false";
            out += ',';
            AppendField(out, record.m_strDNS);
            out += "\r\n";
            ++written;
            sink.EndRecord();
        }
        return written;
    });
}
