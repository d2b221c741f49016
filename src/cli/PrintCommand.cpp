// print: the list's printed pages as a PDF file, drawn as the desktop
// program prints them.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "print/ListPrinter.h"
#include "print/PrintPages.h"

#include <QDate>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>
#include <numeric>
#include <optional>
#include <vector>

namespace {

constexpr CCliOption kOptions[] = {
    {"--pdf", "OUT.pdf", "the PDF file to write", CliValue::File},
    {"--lines", "N", "list lines per page (default: the stored \"Print Lines\")"},
    {"--paper", "SIZE", "paper size such as A4 (the default), Letter or Legal"},
};

std::optional<QPageSize> PageSizeNamed(const QString& name)
{
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const auto size = QPageSize::PageSizeId(id);
        if (QPageSize::key(size).compare(name, Qt::CaseInsensitive) == 0)
            return QPageSize(size);
    }
    return std::nullopt;
}

class CPrintCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "print"; }
    const char* Synopsis() const override { return "FILE --pdf OUT.pdf [--lines N] [--paper SIZE]"; }
    const char* Summary() const override { return "write the printed pages of the list to a PDF file; says how many"; }
    std::span<const CCliOption> Options() const override { return kOptions; }
    bool NeedsGuiApplication() const override { return true; }

protected:
    Access DocumentAccess() const override { return Access::Read; }

    void Prepare(const CCliArgs& args, const QStringList& operands) override
    {
        CDocumentCommand::Prepare(args, operands);
        const auto out = args.Value("--pdf");
        if (!out || out->isEmpty())
            throw UsageError(QStringLiteral("print needs --pdf OUT.pdf"));
        m_strOut = *out;
        m_nLines = CListPrinter::PrintLinesSetting();
        if (const auto lines = args.Value("--lines")) {
            bool ok = false;
            m_nLines = lines->toInt(&ok);
            if (!ok || m_nLines < 1)
                throw UsageError(QStringLiteral("--lines needs a whole number of at least 1"));
        }
        if (const auto paper = args.Value("--paper")) {
            const auto size = PageSizeNamed(*paper);
            if (!size)
                throw UsageError(QStringLiteral("unknown paper size '%1'").arg(*paper));
            m_paper = *size;
        }
    }

    int RunOn(CCliDocument& file, const CCliArgs&, const QStringList&) override
    {
        // Written beside the target and renamed over it, so a failed run
        // leaves an earlier file as it was.
        QSaveFile out(m_strOut);
        if (!out.open(QIODevice::WriteOnly))
            throw CCliError{QStringLiteral("%1: %2").arg(m_strOut, out.errorString())};
        int pages = 0;
        {
            QPdfWriter writer(&out);
            writer.setPageSize(m_paper);
            // A PDF page has no edge a printer cannot reach: the layout's
            // own margins are all it gets.
            writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
            writer.setCreator(QStringLiteral("Telvaro"));
            writer.setTitle(QFileInfo(file.Doc().GetPathName()).fileName());
            const CListPrinter printer(file.Doc(), CPageFrame::ForDevice(writer), m_nLines, QDate::currentDate());
            pages = printer.PageCount();
            std::vector<int> order(static_cast<size_t>(pages));
            std::iota(order.begin(), order.end(), 1);
            if (const CResult printed = PrintPages(writer, printer, order); !printed)
                throw CCliError{printed.Message()};
        }
        if (!out.commit())
            throw CCliError{QStringLiteral("%1: %2").arg(m_strOut, out.errorString())};
        std::printf("%d\n", pages);
        return file.Doc().IsPartiallyLoaded() ? 1 : 0;
    }

private:
    QString m_strOut;
    int m_nLines = 1;
    QPageSize m_paper{QPageSize::A4};
};

}

std::unique_ptr<CCliCommand> MakePrintCommand()
{
    return std::make_unique<CPrintCommand>();
}
