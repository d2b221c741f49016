#pragma once

#include <QString>

// Thrown by commands for errors that end the program: the message goes to
// stderr once and the program exits with the code.
struct CCliError
{
    QString m_strMessage;
    int m_nExitCode = 1;
};

inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// A usage error: the message and a pointer to the command's help.
inline CCliError UsageError(const QString& message)
{
    return CCliError{message, kExitUsage};
}
