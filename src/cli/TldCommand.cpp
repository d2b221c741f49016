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

    int Run(const CCliArgs& args) override
    {
        const QStringList& words = args.Operands();
        const QString action = words.value(0);
        if (action == QLatin1String("list") && words.size() == 1)
            return ListTable();
        if (action == QLatin1String("set") && words.size() == 3)
            return SetRow(words[1].toLatin1(), words[2].toLatin1());
        if (action == QLatin1String("delete") && words.size() == 2)
            return DeleteTLD(words[1].toLatin1());
        if (action == QLatin1String("import") && words.size() == 2)
            return ImportTLDFile(words[1]);
        if (action == QLatin1String("info") && words.size() == 2)
            return PrintTLDInfo(words[1].toLatin1());
        if (action == QLatin1String("reset") && words.size() == 1)
            return ResetTable();
        throw UsageError(QStringLiteral("tld takes: list | set TLD SERVER | delete TLD | import FILE | info TLD | reset"));
    }
};

}

std::unique_ptr<CCliCommand> MakeTldCommand()
{
    return std::make_unique<CTldCommand>();
}
