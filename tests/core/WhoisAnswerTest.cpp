#include "verdict/WhoisAnswer.h"
#include "model/DomainInfo.h"

#include <gtest/gtest.h>

namespace {

// What the worker makes of a server's text before cleanup.
QByteArray AsReceived(QByteArray text)
{
    ConvertLineEnds(text);
    RemoveAdvertising(text);
    return text;
}

uint8_t Verdict(const QByteArray& serverText)
{
    QByteArray text = AsReceived("WHOIS server: whois.example, Domain: x\n\n" + serverText);
    CleanWhoisText(text);
    return ClassifyText(text, STATUS_UNKNOWN, STATUS_ERROR_FIRST);
}

}

TEST(WhoisAnswer, ClassificationKeywordsAndPrecedence)
{
    EXPECT_EQ(ClassifyText("NO MATCH FOR EXAMPLE.COM", 0, 5), STATUS_AVAILABLE);
    EXPECT_EQ(ClassifyText("No Match\r\nRegistrar: someone", 0, 5), STATUS_TAKEN);
    EXPECT_EQ(ClassifyText("x is not a registered domain", 0, 5), STATUS_AVAILABLE);
    EXPECT_EQ(ClassifyText("Your search returns no relevent records", 0, 5), STATUS_AVAILABLE);
    EXPECT_EQ(ClassifyText("Domain Servers in listed order", 0, 5), STATUS_TAKEN);
    EXPECT_EQ(ClassifyText("Date-Approved: 1999", 0, 5), STATUS_TAKEN);
    EXPECT_EQ(ClassifyText("name serverXX", 0, 5), STATUS_ERROR_FIRST);   // "." is a dot
    EXPECT_EQ(ClassifyText("", 7, 0), STATUS_UNKNOWN);
    EXPECT_EQ(ClassifyText("whois: unable to connect to WHOIS server", 3, 0), STATUS_UNKNOWN);
    // The header line carries the name, so registrant.com reads as taken.
    EXPECT_EQ(ClassifyText("WHOIS server: w, Domain: registrant.com\r\n\r\nNo match", 0, 5), STATUS_TAKEN);
}

TEST(WhoisAnswer, ErrorEscalation)
{
    const QByteArray failure = "whois: unable to connect to WHOIS server";
    EXPECT_EQ(ClassifyText(failure, STATUS_UNKNOWN, STATUS_ERROR_FIRST), 5);
    EXPECT_EQ(ClassifyText(failure, STATUS_AVAILABLE, STATUS_ERROR_FIRST), 5);
    EXPECT_EQ(ClassifyText(failure, 5, STATUS_ERROR_FIRST), 6);
    EXPECT_EQ(ClassifyText(failure, 6, STATUS_ERROR_FIRST), 7);
    EXPECT_EQ(ClassifyText(failure, 7, STATUS_ERROR_FIRST), 8);
    EXPECT_EQ(ClassifyText(failure, 8, STATUS_ERROR_FIRST), STATUS_TOO_MANY_ERRORS);
    EXPECT_EQ(ClassifyText(failure, 200, STATUS_ERROR_FIRST), STATUS_TOO_MANY_ERRORS);
    // A keyword ends the run whatever came before.
    EXPECT_EQ(ClassifyText("No match", 8, STATUS_ERROR_FIRST), STATUS_AVAILABLE);

    CDomainInfo rec;
    rec.m_strWhois = failure;
    rec.m_nPrevStatus = 7;
    ClassifyAnswer(rec, STATUS_ERROR_FIRST);
    EXPECT_EQ(rec.m_nStatus, 8);
}

TEST(WhoisAnswer, CleanupOfLineFeedAnswers)
{
    QByteArray text = AsReceived("Terms... By submitting a query you agree to abide by this policy.\n"
                                 "\n\nWhois Server Version 1.1\n\n"
                                 "Domain names in the .com, .net, and .org domains can now be registered\n"
                                 "with many different competing registrars. Go to http://www.internic.net\n"
                                 "for detailed information.\n"
                                 "\n   Domain Name: SHOP.COM\n"
                                 "\nThe Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\n"
                                 "Registrars.\n\n" + QByteArray(52, '=') + "\nend\n");
    CleanWhoisText(text);
    EXPECT_EQ(text, "Domain Name: SHOP.COM\r\n\r\nend\r\n");
}

TEST(WhoisAnswer, CarriageReturnAnswersKeepTheirBlocks)
{
    // The worker doubles CR before LF, so multi-line blocks no longer match
    // and a leading CR CR LF is not a line break to trim.
    QByteArray text = AsReceived("\r\n\r\nWhois Server Version 1.1\r\n\r\nDomain names in the .com, .net, and .org "
                                 "domains can now be registered\r\n");
    const QByteArray before = text;
    CleanWhoisText(text);
    EXPECT_EQ(text, before);
}

TEST(WhoisAnswer, PolicySentenceAndLeadingWhiteSpace)
{
    QByteArray withStop = "preamble you agree to abide by this policy.\r\n \tData";
    CleanWhoisText(withStop);
    EXPECT_EQ(withStop, "Data");

    QByteArray noStop = "preamble you agree to abide by this policy\r\nData";
    CleanWhoisText(noStop);
    EXPECT_EQ(noStop, "preamble you agree to abide by this policy\r\nData");

    QByteArray spaceFirst = " \r\nData";
    CleanWhoisText(spaceFirst);
    EXPECT_EQ(spaceFirst, " \r\nData");

    QByteArray onlyBreaks = "\r\n\r\n  ";
    CleanWhoisText(onlyBreaks);
    EXPECT_EQ(onlyBreaks, "");
}

TEST(WhoisAnswer, StripOutputOffLeavesTheText)
{
    CDomainInfo rec;
    rec.m_strWhois = "\r\nheader\r\nThe Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\r\nRegistrars.\r\n";
    const QByteArray before = rec.m_strWhois;
    CleanWhoisAnswer(rec, false);
    EXPECT_EQ(rec.m_strWhois, before);
    CleanWhoisAnswer(rec, true);
    EXPECT_EQ(rec.m_strWhois, "header\r\n");
}

TEST(WhoisAnswer, AdvertisingSentenceIsRemoved)
{
    EXPECT_EQ(AsReceived("No match for X.\nGo to www.networksolutions.com to register it now!\n"),
              "No match for X.\r\n\r\n");
}

// Answers in the shape today's registries of the default table give.
TEST(WhoisAnswer, DefaultRegistriesFreeAndTakenAnswers)
{
    const QByteArray gtldNotice =
        ">>> Last update of whois database: 2026-12-07T10:00:00Z <<<\r\n\r\n"
        "NOTICE: The expiration date displayed in this record is the date the\r\n"
        "registrar's sponsorship of the domain name registration in the registry is\r\n"
        "currently set to expire. ... the registrant ... Registrar: listed above.\r\n";
    // .com, .net and .cc
    EXPECT_EQ(Verdict("No match for \"FREE-NAME-4711.COM\".\r\n" + gtldNotice), STATUS_AVAILABLE);
    EXPECT_EQ(Verdict("   Domain Name: EXAMPLE.COM\r\n   Registry Domain ID: 2336799_DOMAIN_COM-VRSN\r\n"
                      "   Registrar: Example Registrar, Inc.\r\n   Name Server: A.IANA-SERVERS.NET\r\n" + gtldNotice),
              STATUS_TAKEN);
    // .org
    const QByteArray orgNotice = ">>> Last update of WHOIS database: 2026-12-07T10:00:00Z <<<\r\n\r\n"
                                 "Terms of Use: ... registrant data ...\r\n";
    EXPECT_EQ(Verdict("Domain not found.\r\n" + orgNotice), STATUS_AVAILABLE);
    EXPECT_EQ(Verdict("Domain Name: example.org\r\nRegistrar: Example Registrar\r\n"
                      "Registrant Organization: Example\r\nName Server: ns1.example.org\r\n" + orgNotice),
              STATUS_TAKEN);
    // .uk
    const QByteArray ukFooter = "\r\n-- \r\nThis WHOIS information is provided for free by the central registry\r\n"
                                "for .uk domain names.\r\n";
    EXPECT_EQ(Verdict("\r\n    No match for \"free-name-4711.co.uk\".\r\n\r\n"
                      "    This domain name has not been registered.\r\n" + ukFooter),
              STATUS_AVAILABLE);
    EXPECT_EQ(Verdict("\r\n    Domain name:\r\n        example.co.uk\r\n\r\n    Registrant:\r\n        Example Ltd\r\n"
                      "\r\n    Name servers:\r\n        ns1.example.co.uk\r\n" + ukFooter),
              STATUS_TAKEN);
    // .nu
    EXPECT_EQ(Verdict("domain \"free-name-4711.nu\" not found.\r\n"), STATUS_AVAILABLE);
    EXPECT_EQ(Verdict("domain:           example.nu\r\nholder:           ex1234\r\n"
                      "registrar:        Example Registrar\r\nnserver:          ns1.example.nu\r\n"),
              STATUS_TAKEN);
    // .com.au
    EXPECT_EQ(Verdict("NOT FOUND\r\n"), STATUS_AVAILABLE);
    EXPECT_EQ(Verdict("Domain Name: example.com.au\r\nRegistrar Name: Example Registrar\r\n"
                      "Registrant: Example Pty Ltd\r\nName Server: ns1.example.com.au\r\n"),
              STATUS_TAKEN);
    // .hk
    EXPECT_EQ(Verdict("The domain has not been registered.\r\n"), STATUS_AVAILABLE);
    EXPECT_EQ(Verdict("Domain Name:  EXAMPLE.HK\r\n\r\nRegistrar Name: Example Registration Company\r\n"
                      "Registrant Contact Information:\r\nCompany English Name: Example Limited\r\n"),
              STATUS_TAKEN);
}

TEST(WhoisAnswer, LegalNoticeMarkerOnlyCountsAtALineStart)
{
    EXPECT_EQ(ClassifyText("No match. see >>> Last update of x, registrant", 0, 5), STATUS_TAKEN);
    EXPECT_EQ(ClassifyText(">>> Last update of x <<<\r\nNo match registrant", 0, 5), STATUS_ERROR_FIRST);
}
