// add: names offered to a document as Add Names does.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "cli/NameOffer.h"
#include "names/NameCandidates.h"

#include <QFile>

namespace {

constexpr CCliOption kOptions[] = {
    {"--tld", "TLD[,TLD...]", "the TLDs bare names are combined with (default: the ticked ones)"},
    {"--from-file", "F", "also the names in text file F", CliValue::File},
};

QByteArray ReadTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CCliError{QStringLiteral("%1: %2").arg(path, file.errorString())};
    return file.readAll();
}

class CAddCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "add"; }
    const char* Synopsis() const override { return "FILE [--tld TLD[,TLD...]] [--from-file F] NAME..."; }
    const char* Summary() const override
    {
        return "add names; a bare name is combined with each TLD\n"
               "given (or, without --tld, each ticked TLD)";
    }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Write; }

    void Prepare(const CCliArgs& args, const QStringList& names) override
    {
        // Names are read after the TLDs are known to exist, as always.
        m_tlds = TLDsFromOption(args);
        m_text.clear();
        if (const auto from = args.Value("--from-file"))
            m_text = ReadTextFile(*from);
        for (const QString& name : names)
            m_text += '\n' + name.toLatin1();
        if (m_text.trimmed().isEmpty())
            throw UsageError(QStringLiteral("add needs names, or --from-file with names in it"));
    }

    int RunOn(CCliDocument& file, const CCliArgs&, const QStringList&) override
    {
        return OfferNames(file, BuildNameCandidates(m_text, m_tlds));
    }

private:
    QByteArrayList m_tlds;
    QByteArray m_text;
};

}

std::unique_ptr<CCliCommand> MakeAddCommand()
{
    return std::make_unique<CAddCommand>();
}
