#pragma once

#include "cli/CliCommand.h"

#include <QString>

#include <span>

// The manual page telvaro-cli(1), in roff, made from the declared commands
// so that it says what "telvaro-cli help" says. The build writes it with
// "telvaro-cli --man-page".
QString CliManPage(std::span<CCliCommand* const> commands, std::span<const CCliOption> globalOptions,
                   const QString& version);
