#pragma once

#include <QByteArrayView>

// The line a lookup puts before every answer, "WHOIS server: HOST, Domain:
// NAME" or "RDAP server: URL, Domain: NAME", taken apart. Without that line
// the whole text is the body.
class CAnswerHeader
{
public:
    static CAnswerHeader Parse(QByteArrayView text);

    bool m_bPresent = false;
    bool m_bRdap = false;   // the answer came over RDAP
    // Lower or mixed case as written; without a ":port" and a trailing dot.
    QByteArrayView m_strHost;
    QByteArrayView m_strName;
    // What the server said: the text after the header line.
    QByteArrayView m_body;
};

// host without a trailing dot or a ":port" suffix.
QByteArrayView BareHost(QByteArrayView host);
// Whether name lies in tld ("shop.co.uk" in "co.uk" and in "uk"), ignoring
// letter case.
bool NameInTld(QByteArrayView name, QByteArrayView tld);
