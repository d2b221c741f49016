#include "model/TLDFacts.h"

#include "model/TLDResources.h"

#include <QtDebug>

#include <array>
#include <optional>

namespace {

constexpr qsizetype kFieldCount = 5;
constexpr qsizetype kMaxLabel = 63;
constexpr qsizetype kMaxHost = 253;
constexpr qsizetype kMaxURL = 2048;

// Calls f(part) for each piece of text between separators; empty pieces too
// when keepEmpty.
template <class F>
void ForEachPart(QByteArrayView text, char separator, bool keepEmpty, F f)
{
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(separator, start);
        if (end < 0)
            end = text.size();
        const QByteArrayView part = text.sliced(start, end - start);
        if (keepEmpty || !part.isEmpty())
            f(part);
        start = end + 1;
    }
}

bool IsLDH(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// One lower-case DNS label: letters, digits and inner hyphens.
bool IsLabel(QByteArrayView label)
{
    if (label.isEmpty() || label.size() > kMaxLabel || label.front() == '-' || label.back() == '-')
        return false;
    for (char c : label) {
        if (!IsLDH(c))
            return false;
    }
    return true;
}

bool IsHost(QByteArrayView host)
{
    if (host.isEmpty() || host.size() > kMaxHost)
        return false;
    bool ok = true;
    ForEachPart(host, '.', true, [&ok](QByteArrayView label) { ok = ok && IsLabel(label); });
    return ok;
}

// host, or host:port as the loopback test servers are given.
bool IsWhoisServer(QByteArrayView server)
{
    const qsizetype colon = server.indexOf(':');
    if (colon < 0)
        return IsHost(server);
    const QByteArrayView port = server.sliced(colon + 1);
    if (port.isEmpty() || port.size() > 5)
        return false;
    for (char c : port) {
        if (c < '0' || c > '9')
            return false;
    }
    const int number = port.toInt();
    return number >= 1 && number <= 65535 && IsHost(server.first(colon));
}

bool IsRdapURL(QByteArrayView url)
{
    QByteArrayView rest;
    if (url.startsWith("https://"))
        rest = url.sliced(8);
    else if (url.startsWith("http://"))
        rest = url.sliced(7);
    else
        return false;
    if (url.size() > kMaxURL || rest.isEmpty() || rest.front() == '/' || !url.endsWith('/'))
        return false;
    for (char c : url) {
        if (c < '!' || c > '~')
            return false;
    }
    return true;
}

// A registered name directly under tld: one label, a dot, the TLD.
bool IsSampleName(QByteArrayView name, QByteArrayView tld)
{
    const qsizetype dot = name.indexOf('.');
    return dot > 0 && name.sliced(dot + 1) == tld && IsLabel(name.first(dot));
}

QByteArray Lower(QByteArrayView text)
{
    return text.toByteArray().toLower();
}

template <class Valid>
std::optional<QByteArrayList> ParseList(QByteArrayView field, Valid valid)
{
    QByteArrayList items;
    bool ok = true;
    ForEachPart(field, ' ', false, [&](QByteArrayView item) {
        ok = ok && valid(item);
        items.append(item.toByteArray());
    });
    if (!ok)
        return std::nullopt;
    return items;
}

std::optional<CTLDFact> ParseRow(QByteArrayView line)
{
    std::array<QByteArrayView, kFieldCount> fields;
    qsizetype count = 0;
    ForEachPart(line, '\t', true, [&](QByteArrayView field) {
        if (count < kFieldCount)
            fields[size_t(count)] = field.trimmed();
        ++count;
    });
    if (count != kFieldCount)
        return std::nullopt;

    CTLDFact fact;
    fact.m_strTLD = Lower(fields[0]);
    fact.m_strWhoisServer = Lower(fields[1]);
    if (!IsLabel(fact.m_strTLD) || (fact.HasWhoisServer() && !IsWhoisServer(fact.m_strWhoisServer)))
        return std::nullopt;

    // RDAP paths keep their case: some registries' bases have upper case.
    auto rdap = ParseList(fields[2], IsRdapURL);
    const QByteArray samples = Lower(fields[3]);
    auto names = ParseList(samples, [&fact](QByteArrayView name) { return IsSampleName(name, fact.m_strTLD); });
    const auto kind = TLDKindFromText(fields[4]);
    if (!rdap || !names || !kind)
        return std::nullopt;
    fact.m_arrRdapURLs = std::move(*rdap);
    fact.m_arrSampleNames = std::move(*names);
    fact.m_kind = *kind;
    return fact;
}

QByteArrayView WithoutLeadingDot(QByteArrayView tld)
{
    return tld.startsWith('.') ? tld.sliced(1) : tld;
}

}

const CTLDFacts& CTLDFacts::Shipped()
{
    static const CTLDFacts facts = [] {
        QByteArray text;
        QString error;
        if (!ReadTLDResource(kTLDSnapshotResource, &text, &error))
            qWarning("%s", qUtf8Printable(error));
        return Parse(text);
    }();
    return facts;
}

CTLDFacts CTLDFacts::Parse(QByteArrayView text)
{
    CTLDFacts facts;
    int lineNumber = 0;
    ForEachPart(text, '\n', true, [&](QByteArrayView line) {
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            return;
        std::optional<CTLDFact> fact = ParseRow(line);
        if (!fact || facts.m_index.contains(fact->m_strTLD)) {
            facts.m_skippedLines.append(lineNumber);
            return;
        }
        facts.m_index.emplace(fact->m_strTLD, facts.m_arrFacts.size());
        facts.m_arrFacts.push_back(std::move(*fact));
    });
    return facts;
}

const CTLDFact* CTLDFacts::Find(QByteArrayView tld) const
{
    const auto it = m_index.find(WithoutLeadingDot(tld));
    return it == m_index.end() ? nullptr : &m_arrFacts[it->second];
}

const CTLDFact* CTLDFacts::FindOrLastLabel(QByteArrayView tld) const
{
    if (const CTLDFact* fact = Find(tld))
        return fact;
    const QByteArrayView suffix = WithoutLeadingDot(tld);
    const qsizetype dot = suffix.lastIndexOf('.');
    return dot < 0 ? nullptr : Find(suffix.sliced(dot + 1));
}
