#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <optional>

// What the root zone says a TLD is.
enum class ETLDKind
{
    Generic,
    CountryCode,
    Sponsored,
    GenericRestricted,
    Infrastructure,
    Test,
};

// The kind written as the snapshot writes it ("country-code"), or nothing.
std::optional<ETLDKind> TLDKindFromText(QByteArrayView text);
QByteArray TLDKindText(ETLDKind kind);

// The shipped facts about one top-level domain: who answers for it and a
// few names that are known to be taken there.
class CTLDFact
{
public:
    // Lower case, no leading dot; IDNs in their xn-- form.
    QByteArray m_strTLD;
    // Port-43 whois server (host, or host:port); empty when the registry
    // runs none.
    QByteArray m_strWhoisServer;
    // RDAP base URLs, https first, each ending in '/'.
    QByteArrayList m_arrRdapURLs;
    // Full names registered under the TLD, such as nic.io.
    QByteArrayList m_arrSampleNames;
    ETLDKind m_kind = ETLDKind::Generic;

    bool HasWhoisServer() const { return !m_strWhoisServer.isEmpty(); }
};
