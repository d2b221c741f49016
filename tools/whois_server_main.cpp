// telvaro-whois-server: the loopback whois server as a program, for
// benchmarks and command-line end-to-end tests. Prints its port as the first
// line, then serves until SIGINT or SIGTERM.

#include "LoopbackText.h"
#include "LoopbackWhoisServer.h"
#include "ProgramSignals.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

namespace {

constexpr std::size_t kHugeBytes = 16 * 1024 * 1024;
const char* const kLastUpdate = ">>> Last update of whois database: 2026-12-07T00:00:00Z <<<\r\n";

struct SOptions
{
    unsigned long port = 0;
    unsigned long delayMs = 0;
    bool bIPv6 = false;
    std::optional<std::string> answerFile;
    std::optional<std::string> behaviour;
    std::optional<unsigned long> lieAfter;
    std::optional<std::string> lieText;
    std::optional<unsigned long> lieCount;
    std::optional<unsigned long> rateLimit;
};

[[noreturn]] void Usage(const char* why)
{
    std::fprintf(stderr,
                 "telvaro-whois-server: %s\n"
                 "usage: telvaro-whois-server [--port N] [--delay MS] [--ipv6]\n"
                 "                            [--answer-file FILE | --behaviour never-close|close|huge]\n"
                 "                            [--lie-after N [--lie-text TEXT] [--lie-count M]] [--rate-limit N]\n"
                 "--lie-after N: answers past the first N say TEXT (default: No match for \"%%s\".),\n"
                 "each %%s the name, with CR LF added; with --lie-count M only the M after them\n"
                 "--rate-limit N: at most N queries in any one second are answered; the rest\n"
                 "are told the query rate limit is exceeded\n",
                 why);
    std::exit(2);
}

unsigned long Number(const char* text, unsigned long max)
{
    const std::optional<unsigned long> value = DecimalNumber(text, max);
    if (!value)
        Usage("not a number in range");
    return *value;
}

SOptions ParseOptions(int argc, char** argv)
{
    SOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                Usage("an option lacks its value");
            return argv[++i];
        };
        if (arg == "--port")
            options.port = Number(value(), 65535);
        else if (arg == "--delay")
            options.delayMs = Number(value(), 24UL * 3600 * 1000);
        else if (arg == "--ipv6")
            options.bIPv6 = true;
        else if (arg == "--answer-file")
            options.answerFile = value();
        else if (arg == "--behaviour")
            options.behaviour = value();
        else if (arg == "--lie-after")
            options.lieAfter = Number(value(), 1UL << 31);
        else if (arg == "--lie-text")
            options.lieText = value();
        else if (arg == "--lie-count")
            options.lieCount = Number(value(), 1UL << 31);
        else if (arg == "--rate-limit")
            options.rateLimit = Number(value(), 1UL << 31);
        else
            Usage("unknown option");
    }
    if (options.answerFile && options.behaviour)
        Usage("--answer-file and --behaviour exclude each other");
    if ((options.lieText || options.lieCount) && !options.lieAfter)
        Usage("--lie-text and --lie-count need --lie-after");
    return options;
}

// Names whose first label starts with "free" are not registered; every other
// name is, so one server gives both kinds of answer.
std::string RegistryAnswer(const std::string& name)
{
    if (::strncasecmp(name.c_str(), "free", 4) == 0)
        return "No match for \"" + name + "\".\r\n" + kLastUpdate;
    return "   Domain Name: " + name + "\r\n"
           "   Registrar: Example Registrar, Inc.\r\n"
           "   Name Server: NS1.EXAMPLE.NET\r\n"
           "   Name Server: NS2.EXAMPLE.NET\r\n"
           + kLastUpdate;
}

CWhoisBehaviour ChosenBehaviour(const SOptions& options)
{
    CWhoisBehaviour behaviour;
    if (options.answerFile) {
        std::ifstream file(*options.answerFile, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "telvaro-whois-server: cannot read %s\n", options.answerFile->c_str());
            std::exit(1);
        }
        behaviour = CWhoisBehaviour::Answer({std::istreambuf_iterator<char>(file), {}});
    } else if (!options.behaviour) {
        behaviour.m_answerFor = RegistryAnswer;
    } else if (*options.behaviour == "never-close") {
        behaviour = CWhoisBehaviour::NeverClose();
    } else if (*options.behaviour == "close") {
        behaviour = CWhoisBehaviour::CloseAtOnce();
    } else if (*options.behaviour == "huge") {
        behaviour = CWhoisBehaviour::Huge(kHugeBytes);
    } else {
        Usage("unknown behaviour");
    }
    behaviour.m_delay = std::chrono::milliseconds(options.delayMs);
    return behaviour;
}

} // namespace

int main(int argc, char** argv)
{
    const SOptions options = ParseOptions(argc, argv);

    const CProgramSignals stopSignals;
    try {
        CLoopbackWhoisServer server(ChosenBehaviour(options), options.bIPv6, uint16_t(options.port));
        if (options.lieAfter)
            server.LieAfter(*options.lieAfter, options.lieText.value_or("No match for \"%s\".") + "\r\n",
                            options.lieCount.value_or(SIZE_MAX));
        if (options.rateLimit)
            server.LimitRate(*options.rateLimit);
        std::printf("%u\n", unsigned(server.Port()));
        std::fflush(stdout);
        stopSignals.Wait();
        server.Stop();
    } catch (const std::system_error& e) {
        std::fprintf(stderr, "telvaro-whois-server: %s\n", e.what());
        return 1;
    }
    return 0;
}
