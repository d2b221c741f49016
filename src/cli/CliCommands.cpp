#include "cli/CliCommands.h"

#include <vector>

namespace {

constexpr CCliOption kGlobalOptions[] = {
    {"--home", "DIR", "use DIR as Telvaro's program folder (like TELVARO_HOME=DIR)"},
    {"--help", nullptr, "print the overview of every command"},
    {"--version", nullptr, "print the version"},
};

struct CRegistry
{
    std::vector<std::unique_ptr<CCliCommand>> m_owned;
    std::vector<CCliCommand*> m_commands;

    CRegistry()
    {
        for (auto make : {MakeNewCommand, MakeAddCommand, MakeConstructCommand, MakeSelectCommand,
                          MakeDeleteCommand, MakeFindCommand, MakeLookupCommand, MakeListCommand,
                          MakeExportCommand, MakePrintCommand, MakeTldCommand, MakeVerdictCommand}) {
            m_owned.push_back(make());
            m_commands.push_back(m_owned.back().get());
        }
    }
};

const CRegistry& Registry()
{
    static const CRegistry registry;
    return registry;
}

}

std::span<CCliCommand* const> AllCliCommands()
{
    return Registry().m_commands;
}

CCliCommand* FindCliCommand(const QString& name)
{
    for (CCliCommand* command : AllCliCommands()) {
        if (name == QLatin1String(command->Name()))
            return command;
    }
    return nullptr;
}

std::span<const CCliOption> GlobalCliOptions()
{
    return kGlobalOptions;
}
