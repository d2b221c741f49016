// verdict: what the rule pack makes of one answer, and which rule decided.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliError.h"
#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"

#include <QFile>

#include <cstdio>

namespace {

constexpr CCliOption kOptions[] = {
    {"--server", "HOST", "the server that answered, when the text does not say (no \"WHOIS server:\" line)"},
};

QByteArray ReadAll(const QString& path)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened)
        throw CCliError{QStringLiteral("%1: %2").arg(path, file.errorString())};
    // An answer is a few kilobytes; more than this is not one.
    const QByteArray text = file.read(4 << 20);
    if (file.error() != QFileDevice::NoError)
        throw CCliError{QStringLiteral("%1: %2").arg(path, file.errorString())};
    return text;
}

class CVerdictCommand : public CCliCommand
{
public:
    CliValue OperandValue() const override { return CliValue::File; }
    const char* Name() const override { return "verdict"; }
    const char* Synopsis() const override { return "[--server HOST] FILE|-"; }
    const char* Summary() const override
    {
        return "classify a whois answer with the rule pack and print\n"
               "the verdict and the rule that decided it";
    }
    std::span<const CCliOption> Options() const override { return kOptions; }

    int Run(const CCliArgs& args) override
    {
        if (args.Operands().size() != 1)
            throw UsageError(QStringLiteral("verdict takes one file, or - for standard input"));
        QByteArray text = ReadAll(args.Operands().first());
        // Answers as saved by Telvaro have CR LF; as a user pastes them, LF.
        text.replace("\r\n", "\n").replace('\n', "\r\n");
        const QByteArray server = args.Value("--server").value_or(QString()).toLatin1();
        const CVerdict verdict = CRuleStore::Current()->Classify(text, server);
        std::printf("%s\n", qPrintable(verdict.Describe()));
        return 0;
    }
};

}

std::unique_ptr<CCliCommand> MakeVerdictCommand()
{
    return std::make_unique<CVerdictCommand>();
}
