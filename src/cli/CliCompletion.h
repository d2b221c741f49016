#pragma once

#include "cli/CliCommand.h"

#include <QString>

#include <span>

// The bash completion of telvaro-cli, made from the declared commands:
// their names, options, option values, actions and the files their operands
// name (.qzn for lists). The build writes it with
// "telvaro-cli --bash-completion".
QString CliBashCompletion(std::span<CCliCommand* const> commands, std::span<const CCliOption> globalOptions);
