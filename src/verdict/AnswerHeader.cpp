#include "verdict/AnswerHeader.h"

#include "base/TextCompare.h"

namespace {

QByteArrayView Trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

bool AllDigits(QByteArrayView v)
{
    for (char c : v) {
        if (c < '0' || c > '9')
            return false;
    }
    return !v.isEmpty();
}

}

QByteArrayView BareHost(QByteArrayView host)
{
    host = Trimmed(host);
    // One colon followed by digits is a port; more colons are an IPv6 address.
    const qsizetype colon = host.indexOf(':');
    if (colon >= 0 && host.lastIndexOf(':') == colon && AllDigits(host.sliced(colon + 1)))
        host = host.first(colon);
    while (host.endsWith('.'))
        host.chop(1);
    return host;
}

bool NameInTld(QByteArrayView name, QByteArrayView tld)
{
    while (name.endsWith('.'))
        name.chop(1);
    if (tld.isEmpty() || name.size() < tld.size() || !EqualsNoCase(name.last(tld.size()), tld))
        return false;
    return name.size() == tld.size() || name[name.size() - tld.size() - 1] == '.';
}

// The host of an RDAP address: what lies between "//" and the next '/'.
static QByteArrayView UrlHost(QByteArrayView url)
{
    const qsizetype start = url.indexOf("//");
    if (start < 0)
        return {};
    url = url.sliced(start + 2);
    const qsizetype end = url.indexOf('/');
    return end < 0 ? url : url.first(end);
}

CAnswerHeader CAnswerHeader::Parse(QByteArrayView text)
{
    static constexpr QByteArrayView kWhoisServer = "WHOIS server: ";
    static constexpr QByteArrayView kRdapServer = "RDAP server: ";
    static constexpr QByteArrayView kDomain = ", Domain: ";
    CAnswerHeader header;
    header.m_body = text;
    const bool rdap = text.startsWith(kRdapServer);
    if (!rdap && !text.startsWith(kWhoisServer))
        return header;
    const QByteArrayView kServer = rdap ? kRdapServer : kWhoisServer;
    qsizetype lineEnd = 0;
    while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n')
        ++lineEnd;
    const QByteArrayView line = text.first(lineEnd).sliced(kServer.size());
    const qsizetype domainAt = line.indexOf(kDomain);
    if (domainAt < 0)
        return header;
    header.m_bPresent = true;
    header.m_bRdap = rdap;
    header.m_strHost = BareHost(rdap ? UrlHost(line.first(domainAt)) : line.first(domainAt));
    QByteArrayView name = Trimmed(line.sliced(domainAt + kDomain.size()));
    while (name.endsWith('.'))
        name.chop(1);
    header.m_strName = name;
    header.m_body = text.sliced(lineEnd);
    return header;
}
