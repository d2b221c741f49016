#include "export/ExportCommands.h"

#include "base/UserMessage.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "export/DatabaseExport.h"
#include "export/ExportDialog.h"
#include "export/HtmlReport.h"
#include "model/DomainDoc.h"
#include "widgets/OpenInBrowser.h"
#include "widgets/WaitCursor.h"

#include <QMessageBox>

#include <algorithm>

namespace {

// Paths and engine texts are shown as they are, never read as markup.
QMessageBox::StandardButton ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QStringLiteral("Telvaro"), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (buttons.testFlag(QMessageBox::Yes))
        box.setDefaultButton(QMessageBox::Yes);
    box.exec();
    return box.standardButton(box.clickedButton());
}

}

CExportCommands::CExportCommands(CDomainDoc& doc, QWidget* window)
    : QObject(window), m_doc(doc), m_pWindow(window), m_askPath(AskExportPath)
{
}

void CExportCommands::RegisterCommands(CCommandRegistry& registry)
{
    const auto marked = [this] { return HasMarkedRecords(); };
    registry.Register(ID_REPORT_FULL, [this] { OnReportFull(); }, marked);
    registry.Register(ID_REPORT_SUMMARY, [this] { OnReportSummary(); }, marked);
    registry.Register(ID_EXPORT_TEXT_SELECTED, [this] { OnExportAllText(); }, marked);
    registry.Register(ID_EXPORT_TEXT_FREE, [this] { OnExportFreeText(); }, [this] { return HasFreeRecords(); });
    registry.Register(ID_EXPORT_ACCESS, [this] { OnExportDatabase(); }, marked);
}

bool CExportCommands::HasMarkedRecords() const
{
    const auto records = m_doc.Records();
    return std::any_of(records.begin(), records.end(), [](const auto& r) { return r->m_bSelected != 0; });
}

bool CExportCommands::HasFreeRecords() const
{
    const auto records = m_doc.Records();
    return std::any_of(records.begin(), records.end(), [](const auto& r) { return r->m_nStatus == STATUS_AVAILABLE; });
}

void CExportCommands::Export(const CExportDialog& dialog, const Write& write, const Written& written)
{
    const QString path = m_askPath(m_pWindow, dialog, dialog.m_remembered.Get());
    if (path.isEmpty())
        return;
    if (const QString folder = RememberedFolderText(path, dialog.m_pszRememberedExtension); !folder.isNull())
        dialog.m_remembered.Set(folder);
    CExportResult result;
    {
        const CWaitCursor wait;
        result = write(path);
    }
    if (!result.m_bOk) {
        ReportUserError(result.m_strError);
        return;
    }
    written(path, result.m_nCount);
}

void CExportCommands::Report(bool bSummary)
{
    Export(
        kHtmlReportDialog, [this, bSummary](const QString& path) { return WriteHtmlReport(m_doc, path, bSummary); },
        [this](const QString& path, int) { OfferBrowser(path); });
}

void CExportCommands::OfferBrowser(const QString& path)
{
    const QString question =
        QStringLiteral("Information has been saved in %1\r\n\r\nDo you wish to open it in your browser?").arg(path);
    if (ShowBox(m_pWindow, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // Only a browser that could not be started at all is worth a word: the
    // user asked for it and would otherwise wait for nothing.
    if (!OpenInBrowser(path))
        ReportUserError(QStringLiteral("No web browser could be started to open %1.").arg(path));
}

void CExportCommands::ExportText(TextExportKind kind)
{
    Export(
        kTextExportDialog, [this, kind](const QString& path) { return WriteTextExport(m_doc, path, kind); },
        [this](const QString& path, int count) { ShowCount(path, count); });
}

void CExportCommands::OnExportDatabase()
{
    Export(
        kDatabaseExportDialog, [this](const QString& path) { return ExportToDatabase(m_doc, path); },
        [this](const QString& path, int count) { ShowCount(path, count); });
}

void CExportCommands::ShowCount(const QString& path, int count)
{
    ShowBox(m_pWindow, QMessageBox::Information, QStringLiteral("%1 records added to %2").arg(count).arg(path),
            QMessageBox::Ok);
}
