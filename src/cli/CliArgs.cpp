#include "cli/CliArgs.h"

#include "cli/CliCommand.h"
#include "cli/CliError.h"

namespace {

const CCliOption* FindOption(const CCliCommand& command, QStringView name)
{
    for (const CCliOption& option : command.Options()) {
        if (name == QLatin1String(option.m_pszName))
            return &option;
    }
    return nullptr;
}

}

CCliArgs::CCliArgs(const CCliCommand& command, const QStringList& words)
{
    bool operandsOnly = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (operandsOnly || !word.startsWith(QLatin1String("--"))) {
            m_operands << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            operandsOnly = true;
            continue;
        }
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? word : word.left(equals);
        const CCliOption* option = FindOption(command, name);
        if (!option || (!option->m_pszValueName && equals >= 0))
            throw UsageError(QStringLiteral("unknown option %1").arg(word));
        QString value;
        if (option->m_pszValueName) {
            if (equals >= 0)
                value = word.mid(equals + 1);
            else if (i + 1 < words.size())
                value = words[++i];
            else
                throw UsageError(QStringLiteral("%1 needs a value").arg(name));
        }
        if (!m_options.emplace(name, value).second)
            throw UsageError(QStringLiteral("%1 is given more than once").arg(name));
    }
}

std::optional<QString> CCliArgs::Value(const char* option) const
{
    const auto it = m_options.find(QString::fromLatin1(option));
    return it == m_options.end() ? std::nullopt : std::optional<QString>(it->second);
}
