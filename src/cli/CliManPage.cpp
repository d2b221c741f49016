#include "cli/CliManPage.h"

#include <QStringList>

namespace {

// Text as roff reads it: backslashes and minus signs escaped, and no line
// that starts with a control character.
QString Roff(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\e");
        else if (c == QLatin1Char('-'))
            out += QStringLiteral("\\-");
        else
            out += c;
    }
    QStringList lines = out.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.startsWith(QLatin1Char('.')) || line.startsWith(QLatin1Char('\'')))
            line.prepend(QStringLiteral("\\&"));
    }
    return lines.join(QLatin1Char('\n'));
}

QString Bold(const QString& text)
{
    return QStringLiteral("\\fB") + Roff(text) + QStringLiteral("\\fR");
}

QString Italic(const QString& text)
{
    return QStringLiteral("\\fI") + Roff(text) + QStringLiteral("\\fR");
}

// The overview breaks summaries and synopses into lines; the page
// fills its own.
QString OneLine(const char* text)
{
    return QString::fromLatin1(text).simplified();
}

QString Items(std::span<const CCliOption> options)
{
    QString text;
    for (const CCliOption& option : options) {
        text += QStringLiteral(".TP\n") + Bold(QString::fromLatin1(option.m_pszName));
        if (option.m_pszValueName)
            text += QLatin1Char(' ') + Italic(QString::fromLatin1(option.m_pszValueName));
        text += QLatin1Char('\n') + Roff(OneLine(option.m_pszHelp)) + QLatin1Char('\n');
    }
    return text;
}

QString CommandSection(const CCliCommand& command)
{
    const QString name = QString::fromLatin1(command.Name());
    QString text = QStringLiteral(".SS %1\n").arg(Roff(name));
    text += Bold(QStringLiteral("telvaro-cli ") + name) + QLatin1Char(' ') + Roff(OneLine(command.Synopsis())) + QLatin1Char('\n');
    text += QStringLiteral(".PP\n") + Roff(OneLine(command.Summary())) + QStringLiteral(".\n");
    if (!command.Actions().empty())
        text += QStringLiteral(".PP\nActions:\n.RS\n") + Items(command.Actions()) + QStringLiteral(".RE\n");
    if (!command.Options().empty())
        text += QStringLiteral(".PP\nOptions:\n.RS\n") + Items(command.Options()) + QStringLiteral(".RE\n");
    return text;
}

// What no declaration holds: the program as a whole.
constexpr char kDescription[] =
    "telvaro-cli reads and changes the lists of Telvaro (.qzn files), looks their names up and keeps the TLD table, "
    "for scripts and terminals. It shares the program folder, the settings and the answer rules with the desktop "
    "program.\n"
    ".PP\n"
    "Options may stand anywhere among the operands, as \\fB--name\\fR \\fIVALUE\\fR or \\fB--name=\\fR\\fIVALUE\\fR; "
    "after \\fB--\\fR every word is an operand. A command that changes a list saves it in place, atomically: an "
    "interrupted save leaves the previous file as it was.\n";

constexpr char kTail[] =
    ".SH ENVIRONMENT\n"
    ".TP\n\\fBTELVARO_HOME\\fR\n"
    "The program folder, holding the TLD table qzn.tld, the word lists, telvaro.rules and watchlog.txt "
    "(default: ~/.local/share/Telvaro/).\n"
    ".TP\n\\fBXDG_CONFIG_HOME\\fR\n"
    "Where the settings file Telvaro/Telvaro.conf lives (default: ~/.config).\n"
    ".TP\n\\fBTELVARO_DNS_SERVER\\fR\n"
    "The DNS server (\\fIHOST\\fR:\\fIPORT\\fR) that confirms free names and resolves taken ones, instead of the "
    "first name server of /etc/resolv.conf.\n"
    ".SH EXIT STATUS\n"
    ".TP\n\\fB0\\fR\nSuccess.\n"
    ".TP\n\\fB1\\fR\nThe command failed and said why on standard error, a list could be read only in part, or "
    "\\fBfind\\fR found no name.\n"
    ".TP\n\\fB2\\fR\nThe command line was wrong.\n"
    ".TP\n\\fB130\\fR\nA lookup was interrupted; the names looked up so far are saved.\n"
    ".SH EXAMPLES\n"
    ".nf\n"
    "telvaro-cli new kettle.qzn\n"
    "telvaro-cli add kettle.qzn --tld com,net kettle bluekettle\n"
    "telvaro-cli select kettle.qzn --all\n"
    "telvaro-cli lookup kettle.qzn --max-connections 10\n"
    "telvaro-cli export kettle.qzn --format csv --output kettle.csv\n"
    ".fi\n"
    ".SH SEE ALSO\n"
    "\\fBtelvaro\\fR(1)\n";

// The fixed texts hold roff already; only their minus signs need escaping.
QString EscapeMinus(const char* roff)
{
    return QString::fromLatin1(roff).replace(QLatin1Char('-'), QStringLiteral("\\-"));
}

}

QString CliManPage(std::span<CCliCommand* const> commands, std::span<const CCliOption> globalOptions,
                   const QString& version)
{
    QString page = QStringLiteral(".TH TELVARO\\-CLI 1 \"\" \"Telvaro %1\" \"User Commands\"\n").arg(Roff(version));
    // File names and options must not break at a hyphen.
    page += QStringLiteral(".nh\n");
    page += QStringLiteral(".SH NAME\ntelvaro\\-cli \\- Telvaro's lists, lookups and TLD table from scripts\n");
    page += QStringLiteral(".SH SYNOPSIS\n") + Bold(QStringLiteral("telvaro-cli")) + QStringLiteral(" [") + Bold(QStringLiteral("--home"))
        + QLatin1Char(' ') + Italic(QStringLiteral("DIR")) + QStringLiteral("] ") + Italic(QStringLiteral("COMMAND"))
        + QStringLiteral(" ...\n.br\n") + Bold(QStringLiteral("telvaro-cli help")) + QStringLiteral(" [")
        + Italic(QStringLiteral("COMMAND")) + QStringLiteral("]\n");
    page += QStringLiteral(".SH DESCRIPTION\n") + EscapeMinus(kDescription);
    page += QStringLiteral(".SH OPTIONS\n") + Items(globalOptions);
    page += QStringLiteral(".SH COMMANDS\n.TP\n") + Bold(QStringLiteral("help")) + QLatin1Char(' ')
        + Italic(QStringLiteral("COMMAND"))
        + QStringLiteral("\nThe usage of one command, as \\fICOMMAND\\fR \\fB\\-\\-help\\fR prints it.\n");
    for (const CCliCommand* command : commands)
        page += CommandSection(*command);
    return page + EscapeMinus(kTail);
}
