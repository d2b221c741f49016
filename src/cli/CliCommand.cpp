#include "cli/CliCommand.h"

#include <QStringList>

namespace {

// Where the summaries of the overview start.
constexpr int kSummaryColumn = 32;

}

QString CCliCommand::HelpText() const
{
    QString text = QStringLiteral("usage: telvaro-cli %1 %2\n\n").arg(QString::fromLatin1(Name()), QString::fromLatin1(Synopsis()));
    text += QString::fromLatin1(Summary()) + QLatin1Char('\n');
    if (!Options().empty()) {
        text += QStringLiteral("\noptions:\n");
        for (const CCliOption& option : Options()) {
            QString name = QString::fromLatin1(option.m_pszName);
            if (option.m_pszValueName)
                name += QLatin1Char(' ') + QString::fromLatin1(option.m_pszValueName);
            const QString head = QStringLiteral("  ") + name;
            text += head.size() + 2 > kSummaryColumn ? head + QLatin1Char('\n') + QString(kSummaryColumn, QLatin1Char(' '))
                                                     : head.leftJustified(kSummaryColumn);
            text += QString::fromLatin1(option.m_pszHelp) + QLatin1Char('\n');
        }
    }
    return text;
}

QString CCliCommand::OverviewLines() const
{
    const QString head = QStringLiteral("  %1 %2").arg(QString::fromLatin1(Name()), QString::fromLatin1(Synopsis()));
    const QString indent(kSummaryColumn, QLatin1Char(' '));
    QString text = head.size() + 2 > kSummaryColumn ? head + QLatin1Char('\n') + indent : head.leftJustified(kSummaryColumn);
    text += QString::fromLatin1(Summary()).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent) + QLatin1Char('\n');
    return text;
}
