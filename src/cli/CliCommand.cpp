#include "cli/CliCommand.h"

#include <QStringList>

namespace {

// Where the summaries of the overview start.
constexpr int kSummaryColumn = 32;

// "  --name VALUE" and its help, the help in the summary column.
QString OptionLines(const CCliOption& option)
{
    QString name = QString::fromLatin1(option.m_pszName);
    if (option.m_pszValueName)
        name += QLatin1Char(' ') + QString::fromLatin1(option.m_pszValueName);
    const QString head = QStringLiteral("  ") + name;
    QString text = head.size() + 2 > kSummaryColumn ? head + QLatin1Char('\n') + QString(kSummaryColumn, QLatin1Char(' '))
                                                    : head.leftJustified(kSummaryColumn);
    return text + QString::fromLatin1(option.m_pszHelp) + QLatin1Char('\n');
}

QString Section(const char* title, std::span<const CCliOption> options)
{
    if (options.empty())
        return {};
    QString text = QStringLiteral("\n%1:\n").arg(QLatin1String(title));
    for (const CCliOption& option : options)
        text += OptionLines(option);
    return text;
}

}

QString CCliCommand::HelpText() const
{
    QString text = QStringLiteral("usage: telvaro-cli %1 %2\n\n").arg(QString::fromLatin1(Name()), QString::fromLatin1(Synopsis()));
    text += QString::fromLatin1(Summary()) + QLatin1Char('\n');
    return text + Section("actions", Actions()) + Section("options", Options());
}

QString CCliCommand::OverviewLines() const
{
    const QString head = QStringLiteral("  %1 %2").arg(QString::fromLatin1(Name()), QString::fromLatin1(Synopsis()));
    const QString indent(kSummaryColumn, QLatin1Char(' '));
    QString text = head.size() + 2 > kSummaryColumn ? head + QLatin1Char('\n') + indent : head.leftJustified(kSummaryColumn);
    text += QString::fromLatin1(Summary()).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent) + QLatin1Char('\n');
    return text;
}
