#include "verdict/WhoisAnswer.h"

#include "base/TextCompare.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

// The fixed texts of the registry and registrar whose boilerplate is removed,
// kept in one place: they are matched exactly.
constexpr char kRegistrarWhoisHost[] = "whois.networksolutions.com";
constexpr char kRegistrarInfoURL[] = "http://www.internic.net";
constexpr char kRegistryWebHost[] = "www.networksolutions.com";

const QByteArray& AdvertisingSentence()
{
    static const QByteArray s = QByteArray("Go to ") + kRegistryWebHost + " to register it now!";
    return s;
}

const std::array<QByteArray, 5>& BoilerplateBlocks()
{
    static const std::array<QByteArray, 5> blocks = {
        QByteArray("\r\nTo optimize query speed and answer correctness see the\r\n"
                   "--help option. Depending on your whois client use\r\n"
                   "  whois -h ") + kRegistrarWhoisHost + " HELP\r\n"
            "or\r\n"
            "  whois HELP@" + kRegistrarWhoisHost + "\r\n",
        QByteArray("\r\n\r\nWhois Server Version 1.1\r\n\r\n"
                   "Domain names in the .com, .net, and .org domains can now be registered\r\n"
                   "with many different competing registrars. Go to ") + kRegistrarInfoURL + "\r\n"
            "for detailed information.\r\n",
        QByteArray("\r\nThe Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\r\n"
                   "Registrars.\r\n\r\n") + QByteArray(52, '='),
        QByteArray("\r\nThe previous information has been obtained either directly from the\r\n"
                   "registrant or a registrar of the domain name other than Network Solutions.\r\n"
                   "Network Solutions, therefore, does not guarantee its accuracy or\r\n"
                   "completeness.\r\n"),
        QByteArray("The Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\r\n"
                   "Registrars.\r\n"),
    };
    return blocks;
}

constexpr const char* kTakenKeywords[] = {
    "registrant", "domain servers", "name server..", "registrar:", "address:", "date-approved:", "name servers:",
};

constexpr const char* kFreeKeywords[] = {
    "no entries found", "no match", "not found", "is not a registered domain",
    "your search returns no relevent records", "has not been registered",
};

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// gTLD registries put their legal notices after a line that begins with
// ">>> Last update of"; those notices mention "registrant" even for free
// names, so only the text before that line is searched.
QByteArrayView BeforeLegalNotice(QByteArrayView lower)
{
    static constexpr QByteArrayView kMarker = ">>> last update of";
    if (lower.startsWith(kMarker))
        return lower.first(0);
    for (qsizetype from = 0;;) {
        const qsizetype at = lower.indexOf(kMarker, from);
        if (at < 0)
            return lower;
        if (lower[at - 1] == '\n' || lower[at - 1] == '\r')
            return lower.first(at);
        from = at + 1;
    }
}

template <size_t N>
bool ContainsAny(QByteArrayView text, const char* const (&keywords)[N])
{
    // memmem: far quicker than a general search for these short needles, and
    // every loaded record is classified again.
    for (const char* k : keywords) {
        if (memmem(text.data(), size_t(text.size()), k, std::strlen(k)))
            return true;
    }
    return false;
}

}

void ConvertLineEnds(QByteArray& text)
{
    text.replace("\n", "\r\n");
}

void RemoveAdvertising(QByteArray& text)
{
    text.replace(AdvertisingSentence(), "");
}

void CleanWhoisText(QByteArray& text)
{
    static const QByteArray kPolicy("you agree to abide by this policy.");
    if (const qsizetype at = text.indexOf(kPolicy); at >= 0)
        text.remove(0, at + kPolicy.size());
    for (const QByteArray& block : BoilerplateBlocks())
        text.replace(block, "");
    while (text.startsWith("\r\n")) {
        qsizetype n = 0;
        while (n < text.size() && IsWhiteSpace(text[n]))
            ++n;
        text.remove(0, n);
    }
}

uint8_t ClassifyText(const QByteArray& text, uint8_t prevStatus, uint8_t fallback)
{
    int status = fallback;
    if (!text.isEmpty()) {
        // A lower-case copy in a buffer kept per thread, so classifying a
        // whole document does not allocate for every record.
        thread_local std::string lower;
        lower.resize(size_t(text.size()));
        std::transform(text.begin(), text.end(), lower.begin(), AsciiLower);
        const QByteArrayView searched = BeforeLegalNotice(QByteArrayView(lower.data(), qsizetype(lower.size())));
        if (ContainsAny(searched, kTakenKeywords))
            status = STATUS_TAKEN;
        else if (ContainsAny(searched, kFreeKeywords))
            status = STATUS_AVAILABLE;
    }
    if (status == STATUS_ERROR_FIRST && prevStatus >= STATUS_ERROR_FIRST)
        status = prevStatus + 1;
    if (status > STATUS_ERROR_LAST)
        status = STATUS_TOO_MANY_ERRORS;
    return uint8_t(status);
}
