#pragma once

#include "cli/CliCommand.h"

#include <memory>
#include <span>

// Every command of telvaro-cli, in the order of the overview. Adding a
// command is one file with its class and one line in CliCommands.cpp.
std::span<CCliCommand* const> AllCliCommands();
CCliCommand* FindCliCommand(const QString& name);
// The options before the command: --home DIR, --help, --version.
std::span<const CCliOption> GlobalCliOptions();

std::unique_ptr<CCliCommand> MakeNewCommand();
std::unique_ptr<CCliCommand> MakeAddCommand();
std::unique_ptr<CCliCommand> MakeConstructCommand();
std::unique_ptr<CCliCommand> MakeSelectCommand();
std::unique_ptr<CCliCommand> MakeDeleteCommand();
std::unique_ptr<CCliCommand> MakeFindCommand();
std::unique_ptr<CCliCommand> MakeLookupCommand();
std::unique_ptr<CCliCommand> MakeListCommand();
std::unique_ptr<CCliCommand> MakeExportCommand();
std::unique_ptr<CCliCommand> MakePrintCommand();
std::unique_ptr<CCliCommand> MakeTldCommand();
std::unique_ptr<CCliCommand> MakeVerdictCommand();
