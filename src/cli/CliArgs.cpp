#include "cli/CliArgs.h"

bool CCliArgs::TakeFlag(const QString& name)
{
    return m_args.removeOne(name);
}

std::optional<QString> CCliArgs::TakeOption(const QString& name)
{
    for (qsizetype i = 0; i < m_args.size(); ++i) {
        if (m_args[i] == QLatin1String("--"))
            break;
        if (m_args[i].startsWith(name + QLatin1Char('='))) {
            const QString value = m_args[i].mid(name.size() + 1);
            m_args.removeAt(i);
            return value;
        }
        if (m_args[i] == name) {
            if (i + 1 >= m_args.size())
                throw CCliError{QStringLiteral("%1 needs a value").arg(name), kExitUsage};
            const QString value = m_args[i + 1];
            m_args.remove(i, 2);
            return value;
        }
    }
    return std::nullopt;
}

std::optional<QString> CCliArgs::TakeOperand()
{
    for (qsizetype i = 0; i < m_args.size(); ++i) {
        if (m_args[i] == QLatin1String("--")) {
            if (i + 1 >= m_args.size())
                return std::nullopt;
            return m_args.takeAt(i + 1);
        }
        if (!m_args[i].startsWith(QLatin1String("--")) || m_args[i] == QLatin1String("-"))
            return m_args.takeAt(i);
    }
    return std::nullopt;
}

std::optional<QString> CCliArgs::UnknownOption() const
{
    for (const QString& a : m_args) {
        if (a == QLatin1String("--"))
            break;
        if (a.startsWith(QLatin1String("--")))
            return a;
    }
    return std::nullopt;
}

QString CCliArgs::TakeDocumentFile()
{
    const auto file = TakeOperand();
    if (!file)
        throw CCliError{QStringLiteral("a document file is needed"), kExitUsage};
    return *file;
}
