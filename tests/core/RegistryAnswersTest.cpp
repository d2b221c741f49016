// The answers of today's registries, as their documentation and their
// servers show them, through the bundled rules: free, taken and rate
// limited for every TLD that Telvaro ships with or that people ask for most.
#include "RuleTestSupport.h"

#include <gtest/gtest.h>

namespace {

// ICANN-style answers, with the notice after the ">>> Last update" line
// that speaks of registrants, registrars, "no match" and "not found".
const QByteArray kIcannNotice =
    ">>> Last update of WHOIS database: 2026-12-07T10:00:00Z <<<\n\n"
    "For more information on Whois status codes, please visit https://icann.org/epp\n\n"
    "Terms of Use: Access to WHOIS information is provided to assist persons in\n"
    "determining the contents of a domain name registration record. The registrant\n"
    "of a name and its Registrar: are shown where no match or not found is said.\n";

QByteArray IcannFree(const QByteArray& firstLine)
{
    return firstLine + "\n" + kIcannNotice;
}

QByteArray IcannTaken(const QByteArray& name, const QByteArray& registryId)
{
    return "   Domain Name: " + name.toUpper() + "\n   Registry Domain ID: " + registryId +
        "\n   Registrar WHOIS Server: whois.example-registrar.test\n"
        "   Updated Date: 2025-05-01T10:00:00Z\n   Creation Date: 2001-05-01T10:00:00Z\n"
        "   Registry Expiry Date: 2027-05-01T10:00:00Z\n   Registrar: Example Registrar, LLC\n"
        "   Registrar IANA ID: 9999\n"
        "   Domain Status: clientTransferProhibited https://icann.org/epp#clientTransferProhibited\n"
        "   Name Server: NS1.EXAMPLE.NET\n   DNSSEC: unsigned\n" +
        kIcannNotice;
}

const QByteArray kNominetFooter =
    "\n    WHOIS lookup made at 10:00:00 07-Dec-2026\n\n-- \n"
    "This WHOIS information is provided for free by Nominet UK the central registry\n"
    "for .uk domain names. ... (C) exceeding query rate or volume limits. The data is\n"
    "provided on an 'as-is' basis and may lag behind the register.\n";

QByteArray NominetFree(const QByteArray& name)
{
    return "\n    No match for \"" + name + "\".\n\n    This domain name has not been registered.\n" + kNominetFooter;
}

QByteArray NominetTaken(const QByteArray& name)
{
    return "\n    Domain name:\n        " + name + "\n\n    Registrar:\n        Example Ltd [Tag = EXAMPLE]\n"
        "        URL: https://www.example.test\n\n    Relevant dates:\n        Registered on: 01-Jan-2001\n"
        "\n    Registration status:\n        Registered until expiry date.\n\n    Name servers:\n"
        "        ns1.example.net\n" + kNominetFooter;
}

const QByteArray kNominetLimit =
    "The WHOIS query quota for 192.0.2.7 has been exceeded and will be replenished in 50 seconds.\n";

const QByteArray kIisHeader =
    "# Copyright (c) 1997- The Swedish Internet Foundation.\n# All rights reserved.\n"
    "# Any use of this material to target advertising or\n# similar activities is forbidden and will be prosecuted.\n"
    "# Result of search for registered domain names under\n# the top level domain.\n#\n";

QByteArray IisTaken(const QByteArray& name)
{
    return kIisHeader + "state:            active\ndomain:           " + name +
        "\nholder:           (hidden)\ncreated:          2000-01-01\nexpires:          2027-01-01\n"
        "nserver:          ns1.example.net\ndnssec:           unsigned delegation\nstatus:           ok\n"
        "registrar:        Example Registrar AB\n";
}

QByteArray IisFree(const QByteArray& name)
{
    return kIisHeader + "domain \"" + name + "\" not found.\n";
}

const QByteArray kAuTaken = "Domain Name: example.com.au\nRegistry Domain ID: D407400000000000001-AU\n"
                            "Last Modified: 2025-01-01T00:00:00Z\nRegistrar Name: Example Registrar Pty Ltd\n"
                            "Status: serverRenewProhibited\nRegistrant: Example Pty Ltd\n"
                            "Eligibility Type: Company\nName Server: ns1.example.com.au\nDNSSEC: unsigned\n";

const QByteArray kHkTaken = "Domain Name:  EXAMPLE.HK\n\nDomain Status: Active\nDNSSEC:  unsigned\n\n"
                            "Contract Version:   Refer to registrar\n\nActive variants\n\n"
                            "Registrar Name: Example Registration Company\n\n"
                            "Registrant Contact Information:\n\nCompany English Name: Example Limited\n";

const QByteArray kAfnicHeader = "%%\n%% This is the AFNIC Whois server.\n%%\n%% complete date format : "
                                "YYYY-MM-DDThh:mm:ssZ\n%%\n%% Rights restricted by copyright.\n%%\n%%\n\n";

const QByteArray kEuridHeader = "% The WHOIS service offered by EURid and the access to the records\n"
                                "% in the EURid WHOIS database are provided for information purposes\n"
                                "% only. It allows persons to check whether a specific domain name is\n"
                                "% still available or not and to obtain information related to the\n"
                                "% registration records of existing domain names.\n%\n";

const QByteArray kDnsBeHeader = "% .be Whois Server 6.1\n%\n% The WHOIS service offered by DNS Belgium and the "
                                "access to the records in the DNS Belgium\n% WHOIS database are provided for "
                                "information purposes only.\n\n";

const QByteArray kDkHeader = "# Hello 192.0.2.7. Your session has been logged.\n#\n"
                             "# Copyright (c) 2002 - 2026 by Punktum dk A/S\n#\n"
                             "# The data in the DK Whois database is provided by Punktum dk A/S\n"
                             "# for information purposes only, and to assist persons in obtaining\n"
                             "# information about or related to a domain name registration record.\n#\n\n";

const QByteArray kNoridHeader = "% By looking up information in the domain registration directory\n"
                                "% service, you confirm that you accept the terms and conditions of the\n"
                                "% service: https://www.norid.no/en/domeneoppslag/vilkar/\n%\n"
                                "% It does not give any information about who the holder of a domain is.\n\n";

const QByteArray kCzHeader = "%  (c) 2006-2026 CZ.NIC, z.s.p.o.\n%\n% Intended use of supplied data and "
                             "information\n%\n% Data contained in the domain name register, as well as "
                             "information\n% supplied through public information services of CZ.NIC\n\n";

const QByteArray kPlFooter = "\nWHOIS displays data with a delay not exceeding 15 minutes in relation to the .pl Registry system\n";

const QByteArray kJprsHeader = "[ JPRS database provides information on network administration. Its use is    ]\n"
                               "[ restricted to network administration purposes. For further information,     ]\n"
                               "[ use 'whois -h whois.jprs.jp help'. To suppress Japanese output, add'/e'     ]\n\n";

const QByteArray kTciHeader = "% TCI Whois Service. Terms of use:\n% https://tcinet.ru/documents/whois_ru_rf.pdf "
                              "(in Russian)\n\n";

const QByteArray kRegistroBrHeader = "% Copyright (c) Nic.br\n%  The use of the data below is only permitted as "
                                     "described in\n%  full by the Use and Privacy Policy at https://registro.br/upp ,\n"
                                     "%  being prohibited its distribution, commercialization or\n"
                                     "%  reproduction, in particular, to use it for advertising or\n"
                                     "%  any similar purpose.\n%  2026-12-07T10:00:00-03:00 - IP: 192.0.2.7\n\n";

struct CRegistry
{
    QByteArray m_strFreeName;
    QByteArray m_strHost;
    QByteArray m_strFree;
    QByteArray m_strTaken;
    // Empty where the registry's own limit answer is not documented.
    QByteArray m_strLimit;
    int m_nWait = -1;
    // Whether the server's own section, not the generic rules, decides.
    bool m_bOwnRules = true;
};

std::vector<CRegistry> Registries()
{
    const QByteArray verisign = "whois.verisign-grs.com";
    const QByteArray identity = "whois.nic.info";
    return {
        // The twelve TLDs of the default table.
        {"free-name-4711.com", verisign, IcannFree("No match for \"FREE-NAME-4711.COM\"."),
         IcannTaken("example.com", "2336799_DOMAIN_COM-VRSN"), {}, -1, true},
        {"free-name-4711.net", verisign, IcannFree("No match for \"FREE-NAME-4711.NET\"."),
         IcannTaken("example.net", "208209_DOMAIN_NET-VRSN"), {}, -1, true},
        {"free-name-4711.org", "whois.pir.org", IcannFree("Domain not found."),
         IcannTaken("example.org", "4f8ad6e3c8a34d7d9ee4b47a1c0b1e2c-LROR"),
         "WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\n", -1, true},
        {"free-name-4711.co.uk", "whois.nic.uk", NominetFree("free-name-4711.co.uk"), NominetTaken("example.co.uk"),
         kNominetLimit, 50, true},
        {"free-name-4711.net.uk", "whois.nic.uk", NominetFree("free-name-4711.net.uk"),
         NominetTaken("example.net.uk"), kNominetLimit, 50, true},
        {"free-name-4711.org.uk", "whois.nic.uk", NominetFree("free-name-4711.org.uk"),
         NominetTaken("example.org.uk"), kNominetLimit, 50, true},
        {"free-name-4711.ltd.uk", "whois.nic.uk", NominetFree("free-name-4711.ltd.uk"),
         NominetTaken("example.ltd.uk"), kNominetLimit, 50, true},
        {"free-name-4711.nu", "whois.iis.nu", IisFree("free-name-4711.nu"), IisTaken("example.nu"), {}, -1, true},
        {"free-name-4711.cc", "ccwhois.verisign-grs.com", IcannFree("No match for \"FREE-NAME-4711.CC\"."),
         IcannTaken("example.cc", "86420657_DOMAIN_CC-VRSN"), {}, -1, true},
        {"free-name-4711.com.au", "whois.auda.org.au", "NOT FOUND\n", kAuTaken, {}, -1, true},
        {"free-name-4711.net.au", "whois.auda.org.au", "No Data Found\n", kAuTaken, {}, -1, true},
        {"free-name-4711.hk", "whois.hkirc.hk", "The domain has not been registered.\n", kHkTaken, {}, -1, true},

        // gTLDs.
        {"free-name-4711.info", identity, IcannFree("Domain not found."),
         IcannTaken("example.info", "D503300000040403495-LRMS"), "Quota exceeded\n", -1, true},
        {"free-name-4711.biz", "whois.nic.biz", IcannFree("No Data Found"), IcannTaken("example.biz", "D2835288-BIZ"),
         {}, -1, true},
        {"free-name-4711.io", "whois.nic.io", IcannFree("Domain not found."),
         IcannTaken("example.io", "REDACTED FOR PRIVACY"), {}, -1, true},
        {"free-name-4711.ai", "whois.nic.ai", IcannFree("Domain not found."),
         IcannTaken("example.ai", "7d3b0f1e2c5a4e1d9f3c2b1a0e9d8c7b-AI"), {}, -1, true},
        {"free-name-4711.me", "whois.nic.me", IcannFree("Domain not found."),
         IcannTaken("example.me", "D108500000001234567-AGRS"), {}, -1, true},
        {"free-name-4711.app", "whois.nic.google", IcannFree("Domain not found."),
         IcannTaken("example.app", "2E5A1B3C4-APP"), {}, -1, true},
        {"free-name-4711.dev", "whois.nic.google", IcannFree("Domain not found."),
         IcannTaken("example.dev", "9F8E7D6C5-DEV"), {}, -1, true},
        {"free-name-4711.co", "whois.nic.co", IcannFree("No Data Found"), IcannTaken("example.co", "D1234567-CO"),
         {}, -1, true},
        {"free-name-4711.xyz", "whois.nic.xyz", IcannFree("The queried object does not exist: DOMAIN NOT FOUND"),
         IcannTaken("example.xyz", "D12345678-CNIC"), {}, -1, true},
        {"free-name-4711.online", "whois.nic.online", IcannFree("The queried object does not exist: DOMAIN NOT FOUND"),
         IcannTaken("example.online", "D23456789-CNIC"), {}, -1, true},
        {"free-name-4711.site", "whois.nic.site", IcannFree("The queried object does not exist: DOMAIN NOT FOUND"),
         IcannTaken("example.site", "D34567890-CNIC"), {}, -1, true},
        {"free-name-4711.shop", "whois.nic.shop", IcannFree("DOMAIN NOT FOUND"),
         IcannTaken("example.shop", "SHOP-12345"), "Server too busy, please try again\n", -1, true},
        {"free-name-4711.tv", "whois.nic.tv", IcannFree("No match for \"FREE-NAME-4711.TV\"."),
         IcannTaken("example.tv", "87654321_DOMAIN_TV-VRSN"), {}, -1, true},
        {"free-name-4711.us", "whois.nic.us", IcannFree("No Data Found"), IcannTaken("example.us", "D123456-US"),
         "Maximum Daily connection limit reached. Lookup refused.\n", -1, true},

        // ccTLDs.
        {"free-name-4711.ca", "whois.cira.ca",
         "Not found: free-name-4711.ca\n\n% (c) 2026 Canadian Internet Registration Authority, (http://www.cira.ca/)\n",
         IcannTaken("example.ca", "D12345-CIRA"), {}, -1, true},
        {"free-name-4711.de", "whois.denic.de", "Domain: free-name-4711.de\nStatus: free\n",
         "Domain: example.de\nNserver: ns1.example.net\nNserver: ns2.example.net\nStatus: connect\n"
         "Changed: 2025-01-01T00:00:00+01:00\n",
         "% Error: 55000000002 Connection refused; access control limit reached.\n", -1, true},
        {"free-name-4711.eu", "whois.eu",
         kEuridHeader + "% WHOIS free-name-4711.eu\n%\n\nDomain: free-name-4711.eu\nScript: LATIN\n\nStatus: AVAILABLE\n",
         kEuridHeader + "% WHOIS example.eu\n%\n\nDomain: example.eu\nScript: LATIN\n\nRegistrant:\n"
                        "        NOT DISCLOSED!\n        Visit www.eurid.eu for the web-based WHOIS.\n\n"
                        "Registrar:\n        Name: Example Registrar\n\nName servers:\n        ns1.example.eu\n",
         "-1: Still in grace period, wait 7 seconds\n", 7, true},
        {"free-name-4711.nl", "whois.domain-registry.nl", "free-name-4711.nl is free\n",
         "Domain name: example.nl\nStatus:      active\n\nRegistrar:\n   Example Registrar B.V.\n\n"
         "DNSSEC:      no\n\nDomain nameservers:\n   ns1.example.nl\n\nRecord maintained by: NL Domain Registry\n",
         "only 1 request per second allowed, try again later\n", -1, true},
        {"free-name-4711.fr", "whois.nic.fr", kAfnicHeader + "%% No entries found in the AFNIC Database.\n",
         kAfnicHeader + "domain:                        example.fr\nstatus:                        ACTIVE\n"
                        "hold:                          NO\nholder-c:                      EX123-FRNIC\n"
                        "registrar:                     EXAMPLE REGISTRAR\nsource:                        FRNIC\n",
         kAfnicHeader + "%% Too many requests...\n%% No entries found in the AFNIC Database.\n", -1, true},
        {"free-name-4711.it", "whois.nic.it", "Domain:             free-name-4711.it\nStatus:             AVAILABLE\n",
         "Domain:             example.it\nStatus:             ok\nSigned:             no\n"
         "Created:            2000-01-01 00:00:00\n\nRegistrant\n  Organization:     Example S.p.A.\n\n"
         "Registrar\n  Organization:     Example Registrar S.r.l.\n\nNameservers\n  ns1.example.it\n",
         {}, -1, true},
        // ESNIC answers on port 43 only clients whose address it registered;
        // for them the generic keywords decide.
        {"free-name-4711.es", "whois.nic.es", "No match for \"free-name-4711.es\".\n",
         "Domain Name: example.es\nRegistrar: Example Registrar\nName Servers:\n  ns1.example.es\n", {}, -1, false},
        {"free-name-4711.ch", "whois.nic.ch", "We do not have an entry in our database matching your query.\n",
         "Domain name:\nexample.ch\n\nRegistrar:\nExample Registrar AG\n\nFirst registration date:\n"
         "registered before 1st January 1996\n\nDNSSEC:N\n\nName servers:\nns1.example.ch\n",
         "Requests of this client are not permitted. Please use https://www.nic.ch/whois/ for queries.\n", -1, true},
        {"free-name-4711.at", "whois.nic.at", "%\n% Copyright (c)2026 by NIC.AT (1)\n%\n% Restricted rights.\n%\n% nothing found\n",
         "%\n% Copyright (c)2026 by NIC.AT (1)\n%\n\ndomain:         example.at\n"
         "registrar:      Example Registrar GmbH\nregistrant:     <data not disclosed>\n"
         "nserver:        ns1.example.at\nsource:         AT-DOM\n",
         "% Quota exceeded\n", -1, true},
        {"free-name-4711.be", "whois.dns.be", kDnsBeHeader + "Domain:\tfree-name-4711.be\nStatus:\tAVAILABLE\n",
         kDnsBeHeader + "Domain:\texample.be\nStatus:\tNOT AVAILABLE\nRegistered:\tTue Jan 1 2000\n\n"
                        "Registrant:\n\tNot shown, please visit www.dnsbelgium.be for webbased whois.\n",
         "% Excessive querying, grace period of 2 seconds\n", 2, true},
        {"free-name-4711.dk", "whois.punktum.dk", kDkHeader + "No entries found for the selected source.\n",
         kDkHeader + "Domain:               example.dk\nDNS:                  example.dk\n"
                     "Registered:           1998-01-19\nExpires:              2027-03-31\nStatus:               Active\n\n"
                     "Nameservers\nHostname:             ns1.example.dk\n",
         "# Too many connections.\n", -1, true},
        {"free-name-4711.se", "whois.iis.se", IisFree("free-name-4711.se"), IisTaken("example.se"), {}, -1, true},
        {"free-name-4711.no", "whois.norid.no", kNoridHeader + "% No match\n",
         kNoridHeader + "Domain Information\n\nNORID Handle...............: EXA12345D-NORID\n"
                        "Domain Name................: example.no\nRegistrar Handle...........: REG123-NORID\n",
         {}, -1, true},
        {"free-name-4711.fi", "whois.fi", "Domain not found\n",
         "domain.............: example.fi\nstatus.............: Registered\ncreated............: 1.1.2001 00:00:00\n"
         "expires............: 1.1.2027 00:00:00\navailable..........: 1.2.2027 00:00:00\n",
         {}, -1, true},
        {"free-name-4711.pl", "whois.dns.pl",
         "No information available about domain name free-name-4711.pl in the Registry NASK database.\n" + kPlFooter,
         "DOMAIN NAME:           example.pl\nregistrant type:       organization\n"
         "nameservers:           ns1.example.pl.\ncreated:               2001.01.01 00:00:00\n" + kPlFooter,
         "request limit exceeded for 192.0.2.7\n", -1, true},
        {"free-name-4711.cz", "whois.nic.cz",
         kCzHeader + "%ERROR:101: no entries found\n%\n% Constructed at 07.12.2026 10:00:00\n% Return code: 101\n",
         kCzHeader + "domain:       example.cz\nregistrant:   EXAMPLE-REG\nnsset:        NSS:EXAMPLE:1\n"
                     "registrar:    REG-EXAMPLE\nexpire:       01.01.2027\n",
         "Your connection limit exceeded. Please slow down and try again later.\n", -1, true},
        {"free-name-4711.pt", "whois.dns.pt", "free-name-4711.pt no match\n",
         "Domain: example.pt\nDomain Status: Registered\nCreation Date: 01/01/2000 00:00:00\n"
         "Owner Name: Example Lda\nName Server: ns1.example.pt | IPv4:  and IPv6:\n",
         {}, -1, true},
        {"free-name-4711.uk", "whois.nic.uk", NominetFree("free-name-4711.uk"), NominetTaken("example.uk"),
         kNominetLimit, 50, true},
        {"free-name-4711.ie", "whois.weare.ie",
         "% Not Registered - The domain you have requested is not a registered .ie domain name.\n",
         IcannTaken("example.ie", "1234567-IEDR"), {}, -1, true},
        {"free-name-4711.au", "whois.auda.org.au", "No Data Found\n", kAuTaken, {}, -1, true},
        {"free-name-4711.co.nz", "whois.irs.net.nz",
         "version: 8.0\nquery_datetime: 2026-12-07T10:00:00+13:00\ndomain_name: free-name-4711.co.nz\n"
         "query_status: 220 Available\n",
         "version: 8.0\nquery_datetime: 2026-12-07T10:00:00+13:00\ndomain_name: example.co.nz\n"
         "query_status: 200 Active\nregistrar_name: Example Registrar\nns_name_01: ns1.example.co.nz\n",
         {}, -1, true},
        {"free-name-4711.jp", "whois.jprs.jp", kJprsHeader + "No match!!\n",
         kJprsHeader + "Domain Information:\n[Domain Name]                   EXAMPLE.JP\n\n"
                       "[Registrant]                    Example Co., Ltd.\n\n[Name Server]                   "
                       "ns1.example.jp\n[Status]                        Active\n",
         {}, -1, true},
        {"free-name-4711.kr", "whois.kr",
         "query : free-name-4711.kr\n\n# KOREAN(UTF8)\n\n요청하신 도메인 free-name-4711.kr 은(는) 등록되어 있지 않습니다.\n\n"
         "# ENGLISH\n\nThe requested domain was not found in the Registry or Registrar's WHOIS Server.\n",
         "query : example.kr\n\n# KOREAN(UTF8)\n\n도메인이름                  : example.kr\n\n# ENGLISH\n\n"
         "Domain Name                 : example.kr\nRegistrant                  : Example\n",
         {}, -1, true},
        {"free-name-4711.cn", "whois.cnnic.cn", "No matching record.\n",
         "Domain Name: example.cn\nROID: 20030310s10001s00012345-cn\nDomain Status: ok\n"
         "Registrant: 示例公司\nName Server: ns1.example.cn\nDNSSEC: unsigned\n",
         "Queried interval is too short.\n", -1, true},
        {"free-name-4711.in", "whois.registry.in", IcannFree("No Data Found"), IcannTaken("example.in", "D4567-IN"),
         {}, -1, true},
        {"free-name-4711.com.br", "whois.registro.br",
         kRegistroBrHeader + "% No match for domain \"free-name-4711.com.br\"\n",
         kRegistroBrHeader + "domain:      example.com.br\nowner:       Example Ltda\nowner-c:     EXL123\n"
                             "nserver:     ns1.example.com.br\nstatus:      published\n",
         kRegistroBrHeader + "% Query rate limit exceeded. Reduced information.\n\n"
                             "% No match for domain \"free-name-4711.com.br\"\n",
         -1, true},
        {"free-name-4711.mx", "whois.mx", "No_Se_Encontro_El_Objeto/Object_Not_Found\n",
         "Domain Name:       example.mx\n\nCreated On:        2001-01-01\nRegistrar:         Example Registrar\n"
         "\nRegistrant:\n   Name:           Example SA de CV\n",
         {}, -1, true},
        {"free-name-4711.ru", "whois.tcinet.ru",
         kTciHeader + "No entries found for the selected source(s).\n\nLast updated on 2026-12-07T10:00:00Z\n",
         kTciHeader + "domain:        EXAMPLE.RU\nnserver:       ns1.example.ru.\n"
                      "state:         REGISTERED, DELEGATED, VERIFIED\nfree-date:     2027-09-13\nsource:        TCI\n",
         "You have exceeded allowed connection rate.\n", -1, true},
    };
}

QByteArray WithCrLf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

QByteArray TakenName(const QByteArray& freeName)
{
    return "example" + freeName.sliced(freeName.indexOf('.'));
}

}

TEST(RegistryAnswers, FreeTakenAndLimitedShapesOfEveryRegistry)
{
    const auto pack = PackWith();
    ASSERT_TRUE(pack);
    for (const CRegistry& r : Registries()) {
        // Servers end their lines in LF or in CR LF; both reach us.
        for (const bool crlf : {false, true}) {
            SCOPED_TRACE((r.m_strFreeName + (crlf ? " (CR LF)" : " (LF)")).toStdString());
            auto shape = [crlf](const QByteArray& t) { return crlf ? WithCrLf(t) : t; };
            const CVerdict free = Classify(*pack, r.m_strHost, r.m_strFreeName, shape(r.m_strFree));
            EXPECT_EQ(free.m_nKind, VerdictKind::Free) << free.Describe().toStdString();
            EXPECT_EQ(free.m_strRule.startsWith(QStringLiteral("generic")), !r.m_bOwnRules)
                << free.Describe().toStdString();
            const CVerdict taken = Classify(*pack, r.m_strHost, TakenName(r.m_strFreeName), shape(r.m_strTaken));
            EXPECT_EQ(taken.m_nKind, VerdictKind::Taken) << taken.Describe().toStdString();
            if (r.m_strLimit.isEmpty())
                continue;
            const CVerdict limit = Classify(*pack, r.m_strHost, TakenName(r.m_strFreeName), shape(r.m_strLimit));
            EXPECT_EQ(limit.m_nKind, VerdictKind::RateLimited) << limit.Describe().toStdString();
            EXPECT_EQ(limit.m_nWaitSeconds, r.m_nWait) << limit.Describe().toStdString();
        }
    }
}

TEST(RegistryAnswers, LimitTextBeforeAFreeLookingLineIsNeverFree)
{
    const auto pack = PackWith();
    const CVerdict afnic = Classify(*pack, "whois.nic.fr", "example.fr",
                                    "%% Too many requests...\n%% No entries found in the AFNIC Database.\n");
    EXPECT_EQ(afnic.m_nKind, VerdictKind::RateLimited);
    EXPECT_EQ(afnic.m_strRule, QStringLiteral("whois.nic.fr limit 'too many requests'"));

    const CVerdict br = Classify(*pack, "whois.registro.br", "example.com.br",
                                 "% Query rate limit exceeded. Reduced information.\n"
                                 "% No match for domain \"example.com.br\"\n");
    EXPECT_EQ(br.m_nKind, VerdictKind::RateLimited);
    EXPECT_EQ(br.m_strRule, QStringLiteral("whois.registro.br limit 'query rate limit exceeded'"));

    // The same texts from a server without rules of its own: the generic
    // limits still come first.
    EXPECT_EQ(Classify(*pack, "whois.unknown.test", "x.test", "%% Too many requests\n%% No entries found\n").m_nKind,
              VerdictKind::RateLimited);
}

TEST(RegistryAnswers, GenericLimitPhrasingsAndDroppedTlds)
{
    const auto pack = PackWith();
    for (const char* text : {"Error: limit exceeded", "Query quota exceeded for 192.0.2.7", "Server too busy",
                             "Maximum daily connection limit reached.\nNo match", "TOO MANY REQUESTS, no match"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Classify(*pack, "whois.unknown.test", "x.test", text).m_nKind, VerdictKind::RateLimited);
    }
    const CVerdict dropped = Classify(*pack, "whois.verisign-grs.com", "free-name.example", "TLD is not supported.\n");
    EXPECT_EQ(dropped.m_nKind, VerdictKind::NoService);
    EXPECT_FALSE(dropped.IsVerdict());
}

TEST(RegistryAnswers, BareNotFoundIsNotFreeWhereTheRegistrySaysItOtherwise)
{
    // Under bulk queries some servers answer "NOT FOUND" for every name; the
    // registries below say free in other words, so that answer decides nothing.
    const auto pack = PackWith();
    for (const char* host : {"whois.pir.org", "whois.nic.info", "whois.nic.io", "whois.verisign-grs.com",
                             "whois.nic.google", "whois.denic.de"}) {
        SCOPED_TRACE(host);
        EXPECT_EQ(Classify(*pack, host, "example.org", "NOT FOUND\n").m_nKind, VerdictKind::Undetermined);
    }
    // Where it is the registry's own word for free, it stays free.
    EXPECT_EQ(Classify(*pack, "whois.auda.org.au", "example.com.au", "NOT FOUND\n").m_nKind, VerdictKind::Free);
    EXPECT_EQ(Classify(*pack, "whois.unknown.test", "example.test", "NOT FOUND\n").m_nKind, VerdictKind::Free);
}

TEST(RegistryAnswers, TakenAnswersWhoseNoticesReadAsFree)
{
    const auto pack = PackWith();
    // .be's "NOT AVAILABLE" holds "available", .fi's "available....:" too.
    EXPECT_EQ(Classify(*pack, "whois.dns.be", "example.be", "Domain:\texample.be\nStatus:\tNOT AVAILABLE\n").m_nKind,
              VerdictKind::Taken);
    // A free .eu answer whose notice speaks of registration records.
    EXPECT_EQ(Classify(*pack, "whois.eu", "free.eu",
                       "% registrant data of existing domain names\nDomain: free.eu\nStatus: AVAILABLE\n")
                  .m_nKind,
              VerdictKind::Free);
    // A name that DENIC calls invalid cannot be had.
    EXPECT_EQ(Classify(*pack, "whois.denic.de", "ab--cd.de", "Domain: ab--cd.de\nStatus: invalid\n").m_nKind,
              VerdictKind::Taken);
}
