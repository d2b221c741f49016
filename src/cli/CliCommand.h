#pragma once

#include <QString>

#include <span>

class CCliArgs;

// What a value or an operand stands for, so that the shell completion can
// offer the right words.
enum class CliValue
{
    Text,   // names, numbers, lists, hosts: nothing to offer
    File,   // a file to read or write
    List,   // a list of names, FILE.qzn
};

// One option of a command: "--json", or "--tld" with a value. A tld-style
// command's actions ("set TLD SERVER") are declared the same way.
struct CCliOption
{
    const char* m_pszName;        // with its dashes
    const char* m_pszValueName;   // null for a flag
    const char* m_pszHelp;
    CliValue m_value = CliValue::Text;
    // The only values it takes; empty when any value goes.
    std::span<const char* const> m_choices = {};
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
    // What the operands stand for; the first one of a command on a list is
    // the list.
    virtual CliValue OperandValue() const { return CliValue::Text; }
    // The words the first operand names an action with, each with the
    // operands that follow it; empty when the command has no actions.
    virtual std::span<const CCliOption> Actions() const { return {}; }
    // Commands that draw (fonts, pages) need a GUI application; the others
    // run on a core one and never look for a display.
    virtual bool NeedsGuiApplication() const { return false; }

    // Runs with the parsed words; returns the exit status or throws CCliError.
    virtual int Run(const CCliArgs& args) = 0;

    // "usage: telvaro-cli NAME SYNOPSIS", the summary, each action and each
    // option.
    QString HelpText() const;
    // The command's lines in the overview of every command.
    QString OverviewLines() const;
};
