#include "verdict/DnsNote.h"

namespace {

constexpr QByteArrayView kDelegated = "DNS check: taken: the registry answered that the name is free, but DNS delegates it to ";
constexpr QByteArrayView kConfirmed = "DNS check: free, confirmed: ";
constexpr QByteArrayView kUnconfirmed = "DNS check: free, unconfirmed: ";
constexpr QByteArrayView kStopped = "DNS check: stopped before DNS answered; the registry's answer is not taken as final.";

// Enough to show where a name points; a hostile server may send hundreds.
constexpr qsizetype kMostNameServers = 8;
constexpr qsizetype kLongestPart = 255;

// Printable ASCII only, so a stranger's bytes never start a line of their own.
QByteArray Printable(QByteArrayView text)
{
    QByteArray out;
    const QByteArrayView part = text.first(qMin(text.size(), kLongestPart));
    out.reserve(part.size());
    for (const char c : part)
        out += (c >= 0x20 && c < 0x7f) ? c : '?';
    return out;
}

QByteArray Line(QByteArrayView prefix, QByteArrayView rest)
{
    return "\r\n" + prefix.toByteArray() + Printable(rest) + ".\r\n";
}

}

namespace DnsNote {

QByteArray Delegated(const QByteArrayList& nameServers)
{
    QByteArray list;
    for (qsizetype i = 0; i < nameServers.size() && i < kMostNameServers; ++i) {
        if (i > 0)
            list += ", ";
        list += Printable(nameServers[i]);
    }
    if (nameServers.size() > kMostNameServers)
        list += " and " + QByteArray::number(nameServers.size() - kMostNameServers) + " more";
    return "\r\n" + kDelegated.toByteArray() + list + ".\r\n";
}

QByteArray Confirmed(QByteArrayView why)
{
    return Line(kConfirmed, why);
}

QByteArray Unconfirmed(QByteArrayView why)
{
    return Line(kUnconfirmed, why);
}

QByteArray Stopped()
{
    return "\r\n" + kStopped.toByteArray() + "\r\n";
}

Kind Find(QByteArrayView text)
{
    QByteArrayView rest = text;
    while (!rest.isEmpty() && (rest.back() == '\n' || rest.back() == '\r' || rest.back() == ' '))
        rest.chop(1);
    const qsizetype lineStart = rest.lastIndexOf('\n') + 1;
    const QByteArrayView last = rest.sliced(lineStart);
    if (last.startsWith(kDelegated))
        return Kind::Delegated;
    if (last.startsWith(kConfirmed))
        return Kind::Confirmed;
    if (last.startsWith(kUnconfirmed))
        return Kind::Unconfirmed;
    if (last == kStopped)
        return Kind::Stopped;
    return Kind::None;
}

}
