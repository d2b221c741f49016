#pragma once

#include <QString>

#include <span>

class CCliArgs;

// One option of a command: "--json", or "--tld" with a value.
struct CCliOption
{
    const char* m_pszName;        // with its dashes
    const char* m_pszValueName;   // null for a flag
    const char* m_pszHelp;
};

// One command of telvaro-cli. Its name, synopsis, summary and options are
// declared once here; the parser, the usage lines and "help COMMAND" are all
// made from them.
class CCliCommand
{
public:
    virtual ~CCliCommand() = default;

    virtual const char* Name() const = 0;
    // What follows the name in a usage line: "FILE [--json]".
    virtual const char* Synopsis() const = 0;
    // A line or two for the overview; lines break at "\n".
    virtual const char* Summary() const = 0;
    virtual std::span<const CCliOption> Options() const { return {}; }
    // Commands that draw (fonts, pages) need a GUI application; the others
    // run on a core one and never look for a display.
    virtual bool NeedsGuiApplication() const { return false; }

    // Runs with the parsed words; returns the exit status or throws CCliError.
    virtual int Run(const CCliArgs& args) = 0;

    // "usage: telvaro-cli NAME SYNOPSIS", the summary and each option.
    QString HelpText() const;
    // The command's lines in the overview of every command.
    QString OverviewLines() const;
};
