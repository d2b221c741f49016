// export: the list as an HTML report, text, CSV, JSON or an SQLite database.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliError.h"
#include "cli/DocumentCommand.h"
#include "export/CsvExport.h"
#include "export/DatabaseExport.h"
#include "export/HtmlReport.h"
#include "export/JsonExport.h"
#include "export/TextExport.h"

#include <QFile>

#include <array>
#include <cstdio>

namespace {

// The database is a file that is opened and updated, so it has no stream.
using StreamWriter = CExportResult (*)(const CDomainDoc& doc, const CExportTarget& target, ExportScope scope);

struct CFormat
{
    const char* m_pszName;
    StreamWriter m_write;   // null: the database
};

constexpr CFormat kFormats[] = {
    {"html", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) { return WriteHtmlReport(d, t, false, s); }},
    {"html-summary", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) { return WriteHtmlReport(d, t, true, s); }},
    {"text", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) {
         return WriteTextExport(d, t, TextExportKind::NamesWithStatus, s);
     }},
    {"text-free", [](const CDomainDoc& d, const CExportTarget& t, ExportScope s) {
         return WriteTextExport(d, t, TextExportKind::FreeNames, s);
     }},
    {"sqlite", nullptr},
    {"csv", WriteCsvExport},
    {"json", WriteJsonExport},
};

constexpr auto kFormatNames = [] {
    std::array<const char*, std::size(kFormats)> names{};
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = kFormats[i].m_pszName;
    return names;
}();

constexpr CCliOption kOptions[] = {
    {"--format", "FORMAT", "html, html-summary, text, text-free, sqlite, csv or json", CliValue::Text, kFormatNames},
    {"--output", "PATH", "the file to write; - writes to stdout (not sqlite)", CliValue::File},
    {"--all", nullptr, "every name, not only the ticked ones (text-free: always every free name)"},
};

const CFormat* FindFormat(const QString& name)
{
    for (const CFormat& format : kFormats) {
        if (name == QLatin1String(format.m_pszName))
            return &format;
    }
    return nullptr;
}

bool IsStdout(const QString& path)
{
    return path == QLatin1String("-");
}

CExportResult WriteToStdout(const CFormat& format, const CDomainDoc& doc, ExportScope scope)
{
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return CExportResult::Failed(QStringLiteral("stdout cannot be written: %1").arg(out.errorString()));
    return format.m_write(doc, CExportTarget(out), scope);
}

class CExportCommand : public CDocumentCommand
{
public:
    const char* Name() const override { return "export"; }
    const char* Synopsis() const override { return "FILE --format FORMAT --output PATH [--all]"; }
    const char* Summary() const override
    {
        return "write the ticked names (or --all) as a report or export;\nprints how many it wrote";
    }
    std::span<const CCliOption> Options() const override { return kOptions; }

protected:
    Access DocumentAccess() const override { return Access::Read; }

    void Prepare(const CCliArgs& args, const QStringList& operands) override
    {
        CDocumentCommand::Prepare(args, operands);
        const std::optional<QString> format = args.Value("--format");
        const std::optional<QString> output = args.Value("--output");
        if (!format || !output)
            throw UsageError(QStringLiteral("export needs --format and --output"));
        m_pFormat = FindFormat(*format);
        if (!m_pFormat)
            throw UsageError(QStringLiteral("unknown format '%1'").arg(*format));
        m_strOutput = *output;
        if (m_strOutput.isEmpty())
            throw UsageError(QStringLiteral("--output needs a path"));
        if (IsStdout(m_strOutput) && !m_pFormat->m_write)
            throw UsageError(QStringLiteral("the %1 format needs a file; it cannot go to stdout").arg(*format));
    }

    int RunOn(CCliDocument& file, const CCliArgs& args, const QStringList&) override
    {
        const CDomainDoc& doc = file.Doc();
        const ExportScope scope = args.Has("--all") ? ExportScope::All : ExportScope::Marked;
        CExportResult result;
        if (!m_pFormat->m_write)
            result = ExportToDatabase(doc, m_strOutput, scope);
        else if (IsStdout(m_strOutput))
            result = WriteToStdout(*m_pFormat, doc, scope);
        else
            result = m_pFormat->m_write(doc, CExportTarget(m_strOutput), scope);
        if (!result.m_bOk) {
            // The database's messages put the step and the reason on two lines.
            QString message = result.m_strError.replace(QLatin1String("\r\n"), QLatin1String(": "));
            if (!m_pFormat->m_write)
                message = m_strOutput + QStringLiteral(": ") + message;
            throw CCliError{message};
        }
        // stdout may hold the export itself; then the count goes to stderr.
        std::fprintf(IsStdout(m_strOutput) ? stderr : stdout, "%d\n", result.m_nCount);
        return doc.IsPartiallyLoaded() ? 1 : 0;
    }

private:
    const CFormat* m_pFormat = nullptr;
    QString m_strOutput;
};

}

std::unique_ptr<CCliCommand> MakeExportCommand()
{
    return std::make_unique<CExportCommand>();
}
