// telvaro-dns-server: the loopback DNS server as a program, for benchmarks
// and command-line trials. Prints its port as the first line, then serves
// UDP and TCP on 127.0.0.1 until SIGINT or SIGTERM.

#include "LoopbackDnsServer.h"
#include "LoopbackText.h"
#include "ProgramSignals.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <strings.h>
#include <system_error>

namespace {

struct SOptions
{
    unsigned long port = 0;
    unsigned long delayMs = 0;
    std::optional<std::string> behaviour;
};

[[noreturn]] void Usage(const char* why)
{
    std::fprintf(stderr,
                 "telvaro-dns-server: %s\n"
                 "usage: telvaro-dns-server [--port N] [--delay MS] [--behaviour B]\n"
                 "B: nxdomain, servfail, refused, drop, truncate (UDP answers send TC),\n"
                 "   wrong-id, bad-pointer, pointer-loop, length-past-end (broken answers)\n"
                 "Without --behaviour, names whose first label starts with \"free\" do not\n"
                 "exist and every other name has two name servers and an address.\n",
                 why);
    std::exit(2);
}

SOptions ParseOptions(int argc, char** argv)
{
    SOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            Usage("an option lacks its value");
        const char* value = argv[++i];
        const auto number = [&](unsigned long max) {
            const std::optional<unsigned long> n = DecimalNumber(value, max);
            if (!n)
                Usage("not a number in range");
            return *n;
        };
        if (arg == "--port")
            options.port = number(65535);
        else if (arg == "--delay")
            options.delayMs = number(24UL * 3600 * 1000);
        else if (arg == "--behaviour")
            options.behaviour = value;
        else
            Usage("unknown option");
    }
    return options;
}

CDnsBehaviour RegistryBehaviour(const std::string& name)
{
    if (::strncasecmp(name.c_str(), "free", 4) == 0)
        return CDnsBehaviour::NxDomain();
    CDnsBehaviour b = CDnsBehaviour::NameServers({"ns1.example.net", "ns2.example.net"});
    b.m_addresses = {"192.0.2.1"};
    return b;
}

CDnsBehaviour ChosenBehaviour(const SOptions& options)
{
    using Damage = CDnsBehaviour::Damage;
    const std::string chosen = options.behaviour.value_or("");
    CDnsBehaviour behaviour;
    if (chosen.empty()) {
        behaviour.m_forName = RegistryBehaviour;
    } else if (chosen == "truncate") {
        behaviour.m_forName = [](const std::string& name) { return CDnsBehaviour::Truncated(RegistryBehaviour(name)); };
    } else if (chosen == "nxdomain") {
        behaviour = CDnsBehaviour::NxDomain();
    } else if (chosen == "servfail") {
        behaviour = CDnsBehaviour::ServFail();
    } else if (chosen == "refused") {
        behaviour = CDnsBehaviour::Refused();
    } else if (chosen == "drop") {
        behaviour = CDnsBehaviour::Drop();
    } else if (chosen == "wrong-id") {
        behaviour = CDnsBehaviour::Damaged(Damage::WrongId);
    } else if (chosen == "bad-pointer") {
        behaviour = CDnsBehaviour::Damaged(Damage::PointerPastEnd);
    } else if (chosen == "pointer-loop") {
        behaviour = CDnsBehaviour::Damaged(Damage::PointerLoop);
    } else if (chosen == "length-past-end") {
        behaviour = CDnsBehaviour::Damaged(Damage::LengthPastEnd);
    } else {
        Usage("unknown behaviour");
    }
    // The delay holds for whatever the name's behaviour turns out to be.
    const std::chrono::milliseconds delay(options.delayMs);
    if (behaviour.m_forName)
        behaviour.m_forName = [pick = behaviour.m_forName, delay](const std::string& name) {
            return CDnsBehaviour::Delay(delay, pick(name));
        };
    behaviour.m_delay = delay;
    return behaviour;
}

} // namespace

int main(int argc, char** argv)
{
    const SOptions options = ParseOptions(argc, argv);
    const CDnsBehaviour behaviour = ChosenBehaviour(options);
    const CProgramSignals stopSignals;
    try {
        CLoopbackDnsServer server(behaviour, uint16_t(options.port));
        std::printf("%u\n", unsigned(server.Port()));
        std::fflush(stdout);
        stopSignals.Wait();
        server.Stop();
    } catch (const std::system_error& e) {
        std::fprintf(stderr, "telvaro-dns-server: %s\n", e.what());
        return 1;
    }
    return 0;
}
