#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The words of one command line, taken from the front as a command reads
// its options and operands. Options may stand anywhere among the operands.
class CCliArgs
{
public:
    explicit CCliArgs(QStringList args) : m_args(std::move(args)) {}

    bool IsEmpty() const { return m_args.isEmpty(); }
    // Removes a flag such as "--all"; true when it was there.
    bool TakeFlag(const QString& name);
    // Removes "--name VALUE" or "--name=VALUE" and returns VALUE; a flag
    // without its value throws a usage error.
    std::optional<QString> TakeOption(const QString& name);
    // Removes and returns the first word that is not an option.
    std::optional<QString> TakeOperand();
    // The document file every command but tld starts with; a usage error
    // when it is missing.
    QString TakeDocumentFile();
    // What is left once a command has taken what it knows.
    QStringList Rest() const { return m_args; }
    // The first leftover option, for "unknown option" messages.
    std::optional<QString> UnknownOption() const;

private:
    QStringList m_args;
};

// Thrown by commands for errors that end the program: the message goes to
// stderr and the program exits with the code.
struct CCliError
{
    QString m_strMessage;
    int m_nExitCode = 1;
};

inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;
