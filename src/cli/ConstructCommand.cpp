// construct: names built from a keyword and padding words, as Construct
// Names does, offered to a document.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "cli/NameOffer.h"
#include "names/NameConstructor.h"
#include "names/WordLists.h"

#include <iterator>

namespace {

constexpr const char* kKinds[] = {"0", "1", "2", "3", "4", "5"};
static_assert(std::size(kKinds) == kWebTypeCount, "one word for each kind of word lists");

constexpr CCliOption kOptions[] = {
    {"--start", "WORDS", "words to put before the keyword (default: the kind's list)"},
    {"--end", "WORDS", "words to put after the keyword (default: the kind's list)"},
    {"--kind", "N", "the word lists of kind N: 0 All, 1 Business, 2 Educational, 3 Fun, 4 Sports, 5 Custom",
     CliValue::Text, kKinds},
    {"--dash", nullptr, "also join with \"-\""},
    {"--no-start", nullptr, "no words before the keyword"},
    {"--no-end", nullptr, "no words after the keyword"},
    {"--no-both", nullptr, "pad one side only"},
    {"--tld", "LIST", "the TLDs the names take (default: the ticked ones)"},
};

// A word list given on the command line, or the kind's stored list.
QByteArray WordsOption(const CCliArgs& args, const char* name, const QByteArray& stored)
{
    const auto option = args.Value(name);
    if (!option)
        return stored;
    QByteArray words = option->toLatin1();
    NormalizeWordList(words);
    return words;
}

class CConstructCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "construct"; }
    const char* Synopsis() const override
    {
        return "FILE KEYWORD [--start WORDS] [--end WORDS] [--kind N] [--dash]\n"
               "            [--no-start] [--no-end] [--no-both] [--tld LIST]";
    }
    const char* Summary() const override
    {
        return "build names from a keyword and padding words;\n"
               "without --start/--end, the word lists of kind N:\n"
               "0 All, 1 Business, 2 Educational, 3 Fun,\n"
               "4 Sports, 5 Custom (default 0); --dash also\n"
               "joins with \"-\", --no-both pads one side only";
    }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Write; }

    void Prepare(const CCliArgs& args, const QStringList& operands) override
    {
        if (operands.isEmpty())
            throw UsageError(QStringLiteral("construct needs a keyword"));
        m_strKeyword = operands.first().toLatin1();
        m_tlds = TLDsFromOption(args);

        const auto kindText = args.Value("--kind");
        bool ok = true;
        m_options.m_nWebType = kindText ? kindText->toInt(&ok) : 0;
        if (!ok || m_options.m_nWebType < 0 || m_options.m_nWebType >= kWebTypeCount)
            throw UsageError(QStringLiteral("--kind needs a number from 0 to %1").arg(kWebTypeCount - 1));
        m_options.m_bUseDash = args.Has("--dash");
        m_options.m_bNoStartAppend = args.Has("--no-start");
        m_options.m_bNoEndAppend = args.Has("--no-end");
        m_options.m_bNoBothAppend = args.Has("--no-both");

        QByteArray storedStart;
        QByteArray storedEnd;
        LoadWordLists(m_options.m_nWebType, storedStart, storedEnd);
        m_strStart = WordsOption(args, "--start", storedStart);
        m_strEnd = WordsOption(args, "--end", storedEnd);
        if (operands.size() > 1)
            throw UsageError(QStringLiteral("construct takes one keyword"));
    }

    int RunOn(CCliDocument& file, const CCliArgs&, const QStringList&) override
    {
        const CNameConstructor constructor(m_strKeyword, m_strStart, m_strEnd, m_options);
        return OfferNames(file, constructor.BuildNames(m_tlds));
    }

private:
    QByteArray m_strKeyword;
    QByteArrayList m_tlds;
    CConstructOptions m_options;
    QByteArray m_strStart;
    QByteArray m_strEnd;
};

}

std::unique_ptr<CCliCommand> MakeConstructCommand()
{
    return std::make_unique<CConstructCommand>();
}
