// list: the document as lines of text or of JSON.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"

#include <cstdio>

namespace {

// A JSON string of 8-bit text (read as Latin-1), UTF-8 encoded.
QByteArray JsonString(const QByteArray& text)
{
    QByteArray out = "\"";
    for (const char c : QString::fromLatin1(text).toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20)
                out += "\\u00" + QByteArray::number(u, 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    return out + '"';
}

QByteArray JsonLine(const CDomainDoc& doc, int i)
{
    const CDomainInfo& r = *doc.GetAt(i);
    const QByteArray checked =
        r.m_dtChecked.IsValid() ? QByteArray::number(r.m_dtChecked.m_dt, 'g', 17) : QByteArray("null");
    return "{\"index\":" + QByteArray::number(i + 1) + ",\"name\":" + JsonString(r.m_strName)
        + ",\"status\":" + QByteArray::number(r.m_nStatus) + ",\"status_text\":" + JsonString(r.StatusText())
        + ",\"checked\":" + checked + ",\"selected\":" + (r.m_bSelected ? "true" : "false")
        + ",\"dns\":" + JsonString(r.m_strDNS) + ",\"whois\":" + JsonString(r.m_strWhois) + "}\n";
}

QByteArray TextLine(const CDomainDoc& doc, int i)
{
    QStringList columns;
    for (int column = 0; column <= 4; ++column) {
        QString text;
        doc.GetItemText(i, column, text);
        columns << text;
    }
    return columns.join(QLatin1Char('\t')).toUtf8() + '\n';
}

}

int RunList(CCliArgs& args)
{
    const auto path = args.TakeOperand();
    const bool json = args.TakeFlag(QStringLiteral("--json"));
    RequireNoOptionsLeft(args);
    if (!path || !args.IsEmpty())
        throw CCliError{QStringLiteral("list takes one file"), kExitUsage};
    CCliDocument file(*path, false);
    const CDomainDoc& doc = file.Doc();
    for (int i = 0; i < doc.GetCount(); ++i) {
        const QByteArray line = json ? JsonLine(doc, i) : TextLine(doc, i);
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    }
    return doc.IsPartiallyLoaded() ? 1 : 0;
}
