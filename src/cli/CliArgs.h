#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

class CCliCommand;

// The words of one command line after the command's name, checked against
// what the command declares. Options may stand anywhere among the operands,
// as "--name VALUE" or "--name=VALUE"; after "--" every word is an operand.
class CCliArgs
{
public:
    // Throws a usage error for an option the command does not declare, a
    // flag given a value, or an option without its value.
    CCliArgs(const CCliCommand& command, const QStringList& words);

    bool Has(const char* option) const { return m_options.count(QString::fromLatin1(option)) != 0; }
    // The value of an option taking one; null when it was not given.
    std::optional<QString> Value(const char* option) const;
    const QStringList& Operands() const { return m_operands; }

private:
    std::map<QString, QString> m_options;
    QStringList m_operands;
};
