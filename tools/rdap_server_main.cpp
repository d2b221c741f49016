// telvaro-rdap-server: the loopback RDAP server as a program, for benchmarks
// and command-line end-to-end tests. Prints its HTTP port as the first line
// (and its HTTPS port as the second when it has a certificate), then serves
// until SIGINT or SIGTERM and prints how many connections and requests it
// served.

#include "LoopbackRdapServer.h"
#include "LoopbackText.h"
#include "ProgramSignals.h"
#include "TestCertificate.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <strings.h>
#include <system_error>
#include <vector>

namespace {

struct SOptions
{
    CRdapServerOptions server;
    std::optional<std::string> makeCertIn;
    std::optional<std::string> behaviour;
    std::optional<unsigned long> status;
    std::optional<std::string> bodyFile;
    std::optional<std::string> contentType;
    std::optional<std::pair<int, std::string>> redirect;
    std::vector<CRdapBehaviour::Header> headers;
    unsigned long delayMs = 0;
    unsigned long piece = 0;
    unsigned long pauseMs = 20;
    unsigned long huge = 0;
    bool bChunked = false;
    bool bCloseAfter = false;
};

[[noreturn]] void Usage(const char* why, int exitCode = 2)
{
    std::fprintf(exitCode == 0 ? stdout : stderr,
                 "telvaro-rdap-server: %s\n"
                 "usage: telvaro-rdap-server [--port N] [--https-port N] [--ipv6] [--idle-timeout MS]\n"
                 "         [--cert FILE --key FILE | --make-cert DIR]\n"
                 "         [--behaviour registered|not-found|invalid-json|close|never-answer|redirect-loop]\n"
                 "         [--status N] [--body-file FILE] [--content-type TYPE] [--header 'NAME: VALUE']...\n"
                 "         [--retry-after SECONDS|HTTP-DATE] [--redirect STATUS:LOCATION] [--delay MS]\n"
                 "         [--trickle BYTES:MS] [--huge BYTES] [--chunked] [--close-after]\n"
                 "Without --behaviour, --status or --body-file, names starting with \"free\" are not found\n"
                 "and every other name is registered. \"%%s\" in a body or location is the name.\n",
                 why);
    std::exit(exitCode);
}

unsigned long Number(const std::string& text, unsigned long max)
{
    const std::optional<unsigned long> value = DecimalNumber(text, max);
    if (!value)
        Usage("not a number in range");
    return *value;
}

// "A:B" into its two halves.
std::pair<std::string, std::string> Split(const std::string& text, char separator)
{
    const std::size_t at = text.find(separator);
    if (at == std::string::npos || at == 0 || at + 1 == text.size())
        Usage("an option lacks one half of its value");
    return {text.substr(0, at), text.substr(at + 1)};
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "telvaro-rdap-server: cannot read %s\n", path.c_str());
        std::exit(1);
    }
    return {std::istreambuf_iterator<char>(file), {}};
}

SOptions ParseOptions(int argc, char** argv)
{
    constexpr unsigned long kDay = 24UL * 3600 * 1000;
    SOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                Usage("an option lacks its value");
            return argv[++i];
        };
        if (arg == "--help")
            Usage("a loopback RDAP server for tests and benchmarks", 0);
        else if (arg == "--port")
            o.server.m_nHttpPort = uint16_t(Number(value(), 65535));
        else if (arg == "--https-port")
            o.server.m_nHttpsPort = uint16_t(Number(value(), 65535));
        else if (arg == "--ipv6")
            o.server.m_bIPv6 = true;
        else if (arg == "--idle-timeout")
            o.server.m_idleTimeout = std::chrono::milliseconds(Number(value(), kDay));
        else if (arg == "--cert")
            o.server.m_strCertFile = value();
        else if (arg == "--key")
            o.server.m_strKeyFile = value();
        else if (arg == "--make-cert")
            o.makeCertIn = value();
        else if (arg == "--behaviour")
            o.behaviour = value();
        else if (arg == "--status")
            o.status = Number(value(), 999);
        else if (arg == "--body-file")
            o.bodyFile = FileText(value());
        else if (arg == "--content-type")
            o.contentType = value();
        else if (arg == "--header") {
            const auto [name, text] = Split(value(), ':');
            o.headers.emplace_back(name, text.substr(std::min(text.find_first_not_of(' '), text.size())));
        } else if (arg == "--retry-after")
            o.headers.emplace_back("Retry-After", value());
        else if (arg == "--redirect") {
            const auto [status, location] = Split(value(), ':');
            o.redirect = {int(Number(status, 399)), location};
            if (o.redirect->first < 300)
                Usage("a redirect has a 3xx status");
        }
        else if (arg == "--delay")
            o.delayMs = Number(value(), kDay);
        else if (arg == "--trickle") {
            const auto [piece, pause] = Split(value(), ':');
            o.piece = Number(piece, 1UL << 30);
            o.pauseMs = Number(pause, kDay);
        } else if (arg == "--huge")
            o.huge = Number(value(), 1UL << 40);
        else if (arg == "--chunked")
            o.bChunked = true;
        else if (arg == "--close-after")
            o.bCloseAfter = true;
        else
            Usage("unknown option");
    }
    if (o.makeCertIn && !o.server.m_strCertFile.empty())
        Usage("--make-cert and --cert exclude each other");
    if (o.server.m_strCertFile.empty() != o.server.m_strKeyFile.empty())
        Usage("--cert and --key go together");
    return o;
}

// Names whose first label starts with "free" are not registered; every other
// name is, so one server gives both kinds of answer.
CRdapBehaviour RegistryAnswer(const std::string& name)
{
    return ::strncasecmp(name.c_str(), "free", 4) == 0 ? CRdapBehaviour::NotFound() : CRdapBehaviour::Registered();
}

std::function<CRdapBehaviour(const std::string&)> BaseBehaviour(const SOptions& o)
{
    if (!o.behaviour) {
        if (o.status || o.bodyFile || o.redirect)
            return [](const std::string&) { return CRdapBehaviour::Answer(200, {}); };
        return RegistryAnswer;
    }
    const std::string& b = *o.behaviour;
    CRdapBehaviour fixed;
    if (b == "registered")
        fixed = CRdapBehaviour::Registered();
    else if (b == "not-found")
        fixed = CRdapBehaviour::NotFound();
    else if (b == "invalid-json")
        fixed = CRdapBehaviour::InvalidJson();
    else if (b == "close")
        fixed = CRdapBehaviour::CloseWithoutAnswer();
    else if (b == "never-answer")
        fixed = CRdapBehaviour::NeverAnswer();
    else if (b == "redirect-loop")
        fixed = CRdapBehaviour::Redirect(302, "/domain/%s");
    else
        Usage("unknown behaviour");
    return [fixed](const std::string&) { return fixed; };
}

CRdapBehaviour ChosenBehaviour(const SOptions& o)
{
    CRdapBehaviour behaviour;
    behaviour.m_chooseFor = [o, base = BaseBehaviour(o)](const std::string& name) {
        CRdapBehaviour b = base(name);
        if (o.redirect)
            b = CRdapBehaviour::Redirect(o.redirect->first, o.redirect->second);
        if (o.status)
            b.m_nStatus = int(*o.status);
        if (o.bodyFile)
            b.m_strBody = *o.bodyFile;
        if (o.contentType)
            b.m_strContentType = *o.contentType;
        b.m_headers.insert(b.m_headers.end(), o.headers.begin(), o.headers.end());
        b.m_delay = std::chrono::milliseconds(o.delayMs);
        b.m_nPiece = o.piece;
        b.m_pause = std::chrono::milliseconds(o.pauseMs);
        if (o.huge > 0)
            b.m_nHuge = o.huge;
        b.m_bChunked = o.bChunked;
        b.m_bCloseAfter = o.bCloseAfter;
        return b;
    };
    return behaviour;
}

} // namespace

int main(int argc, char** argv)
{
    SOptions options = ParseOptions(argc, argv);
    if (options.makeCertIn) {
        CTestCertificate certificate;
        std::string error;
        if (!CTestCertificate::Make(*options.makeCertIn, "cert", CTestCertificate::LoopbackHosts(), certificate, error)) {
            std::fprintf(stderr, "telvaro-rdap-server: %s\n", error.c_str());
            return 1;
        }
        options.server.m_strCertFile = certificate.m_strCertFile;
        options.server.m_strKeyFile = certificate.m_strKeyFile;
    }
    options.server.m_default = ChosenBehaviour(options);

    const CProgramSignals stopSignals;
    try {
        CLoopbackRdapServer server(options.server);
        std::printf("%u\n", unsigned(server.HttpPort()));
        if (server.HttpsPort() != 0)
            std::printf("%u\n", unsigned(server.HttpsPort()));
        std::fflush(stdout);
        stopSignals.Wait();
        server.Stop();
        // The last line, for a benchmark that wants to prove connection reuse.
        std::printf("connections %zu requests %zu\n", server.AcceptedCount(), server.RequestCount());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "telvaro-rdap-server: %s\n", e.what());
        return 1;
    }
    return 0;
}
