// tld: show and change the table of TLDs and their whois servers.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliError.h"
#include "model/ServerText.h"
#include "cli/TldEdits.h"
#include "model/TLDTable.h"
#include "base/TextCompare.h"

#include <QFile>
#include <QUrl>

#include <cstdio>
#include <iterator>

namespace {

int ExitStatus(const CResult& result)
{
    if (!result)
        throw CCliError{result.Message()};
    return 0;
}

int ListTable()
{
    for (const auto& row : g_tldTable.m_rows) {
        const QByteArray line = row->m_strTLD + '\t' + row->m_strServer + '\t' + (row->m_bSelected ? "ticked" : "-")
            + '\t' + row->m_strRegistrar + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    }
    return 0;
}

int SetRow(const QByteArray& tld, const QByteArray& server)
{
    if (tld.isEmpty() || tld.startsWith('.') || server.isEmpty())
        throw UsageError(QStringLiteral("tld set needs a TLD (without a leading dot) and a server"));
    if (IsRdapBase(server)) {
        // An RDAP base must name a host to ask.
        const QUrl url(QString::fromLatin1(server), QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            throw UsageError(QStringLiteral("%1 is not an RDAP base address").arg(QString::fromLatin1(server)));
    } else {
        // "host:port" or "[v6]:port" whose port is not one: refuse it rather
        // than store a server that can never be found.
        QByteArray host;
        uint16_t port;
        SplitServerText(server, &host, &port);
        if (host == server && (server.count(':') == 1 || server.startsWith('[')))
            throw UsageError(QStringLiteral("%1: the port must be a number from 1 to 65535").arg(QString::fromLatin1(server)));
    }
    g_tldTable.AddOrUpdate(tld, server);
    return ExitStatus(SaveTLDTable());
}

int ResetTable()
{
    QFile file(GetTLDFilePath());
    if (file.exists() && !file.remove())
        throw CCliError{QStringLiteral("could not remove %1: %2").arg(file.fileName(), file.errorString())};
    return ExitStatus(LoadTLDTable());
}

constexpr CCliOption kActions[] = {
    {"list", nullptr, "print each row: TLD, server, ticked or -, registrar"},
    {"set", "TLD SERVER", "give TLD that server (host, host:port or RDAP base URL), adding its row when missing"},
    {"delete", "TLD", "remove the rows of TLD"},
    {"import", "FILE", "read a \"tld: whois server\" file as TLD setup's import does", CliValue::File},
    {"info", "TLD", "what the shipped snapshot knows of TLD, and its row in the table"},
    {"reset", nullptr, "put the default table back"},
};

// One runner per action, in the order of kActions; each gets the words
// after the action's name.
using ActionRunner = int (*)(const QStringList& words);
constexpr ActionRunner kRunners[] = {
    [](const QStringList&) { return ListTable(); },
    [](const QStringList& words) { return SetRow(words[0].toLatin1(), words[1].toLatin1()); },
    [](const QStringList& words) { return DeleteTLD(words[0].toLatin1()); },
    [](const QStringList& words) { return ImportTLDFile(words[0]); },
    [](const QStringList& words) { return PrintTLDInfo(words[0].toLatin1()); },
    [](const QStringList&) { return ResetTable(); },
};
static_assert(std::size(kRunners) == std::size(kActions), "one runner for each action");

qsizetype OperandCount(const CCliOption& action)
{
    return action.m_pszValueName ? QString::fromLatin1(action.m_pszValueName).split(QLatin1Char(' ')).size() : 0;
}

// "list | set TLD SERVER | ...", for the usage error.
QString ActionsText()
{
    QStringList actions;
    for (const CCliOption& action : kActions) {
        QString text = QString::fromLatin1(action.m_pszName);
        if (action.m_pszValueName)
            text += QLatin1Char(' ') + QString::fromLatin1(action.m_pszValueName);
        actions << text;
    }
    return actions.join(QLatin1String(" | "));
}

class CTldCommand : public CCliCommand
{
public:
    const char* Name() const override { return "tld"; }
    const char* Synopsis() const override
    {
        return "list | tld set TLD SERVER | tld delete TLD | tld import FILE | tld info TLD | tld reset";
    }
    const char* Summary() const override
    {
        return "show or change the table of TLDs and whois servers;\n"
               "a server may be an RDAP base URL (https://...)";
    }
    std::span<const CCliOption> Actions() const override { return kActions; }

    int Run(const CCliArgs& args) override
    {
        const QStringList& words = args.Operands();
        for (size_t i = 0; i < std::size(kActions); ++i) {
            if (words.value(0) == QLatin1String(kActions[i].m_pszName) && words.size() == 1 + OperandCount(kActions[i]))
                return kRunners[i](words.mid(1));
        }
        throw UsageError(QStringLiteral("tld takes: ") + ActionsText());
    }
};

}

std::unique_ptr<CCliCommand> MakeTldCommand()
{
    return std::make_unique<CTldCommand>();
}
