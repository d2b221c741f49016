#include "view/PrintCommands.h"

#include "base/UserMessage.h"
#include "commands/CommandRegistry.h"
#include "print/ListPrinter.h"
#include "view/PrintJob.h"
#include "view/PrintPreviewDlg.h"

#include <QDate>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

CPrintCommands::CPrintCommands(const CDomainDoc& doc, QWidget* window) : QObject(window), m_doc(doc), m_pWindow(window)
{
}

CPrintCommands::~CPrintCommands() = default;

std::vector<CommandId> CPrintCommands::Register(CCommandRegistry& registry)
{
    registry.Register(ID_FILE_PRINT, [this] { OnFilePrint(); });
    registry.Register(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    registry.Register(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    return {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP};
}

QPrinter& CPrintCommands::Printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CPrintCommands::OnFilePrint()
{
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, m_pWindow);
    // The page count as the printer is set up now; a paper chosen in the
    // dialog may change it, and the job counts again.
    const CListPrinter list(m_doc, CPageFrame::ForDevice(printer), CListPrinter::PrintLinesSetting(), QDate::currentDate());
    dialog.setMinMax(1, list.PageCount());
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ReportResult(PrintDocument(printer, m_doc, m_pWindow));
}

void CPrintCommands::OnFilePrintPreview()
{
    bool print = false;
    {
        CPrintPreviewDlg preview(m_doc, Printer(), m_pWindow);
        print = preview.exec() == CPrintPreviewDlg::kPrintRequested;
    }
    if (print)
        OnFilePrint();
}

void CPrintCommands::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&Printer(), m_pWindow);
    dialog.exec();
}
