#pragma once

#include "export/TextExport.h"

#include <QObject>
#include <QString>

#include <functional>

class CCommandRegistry;
class CDomainDoc;
class QWidget;
struct CExportDialog;
struct CExportResult;

// The report and export commands of the Names menu: the HTML reports (full
// and summary), the two text exports and the database export. Each asks
// for a file in its own Save As dialog, remembers that file's folder for
// the next time, writes, and tells the user the outcome once: the count,
// the question whether to open a report in the browser, or why it failed.
class CExportCommands : public QObject
{
    Q_OBJECT

public:
    // The Save As dialog, replaceable so that tests can answer it: the
    // dialog's description and the remembered text it starts from. An empty
    // result means the user cancelled.
    using AskPath = std::function<QString(QWidget* parent, const CExportDialog& dialog, const QString& initial)>;

    // doc and window must outlive the registry's actions.
    CExportCommands(CDomainDoc& doc, QWidget* window);

    void RegisterCommands(CCommandRegistry& registry);
    void SetAskPath(AskPath ask) { m_askPath = std::move(ask); }

    void OnReportFull() { Report(false); }
    void OnReportSummary() { Report(true); }
    void OnExportAllText() { ExportText(TextExportKind::NamesWithStatus); }
    void OnExportFreeText() { ExportText(TextExportKind::FreeNames); }
    void OnExportDatabase();

    bool HasMarkedRecords() const;
    bool HasFreeRecords() const;

private:
    using Write = std::function<CExportResult(const QString& path)>;
    using Written = std::function<void(const QString& path, int count)>;

    // Asks for the file, remembers its folder and writes it under the busy
    // cursor; then written, or the failure's message. Nothing on Cancel.
    void Export(const CExportDialog& dialog, const Write& write, const Written& written);
    void Report(bool bSummary);
    void ExportText(TextExportKind kind);
    void ShowCount(const QString& path, int count);
    void OfferBrowser(const QString& path);

    CDomainDoc& m_doc;
    QWidget* m_pWindow;
    AskPath m_askPath;
};
