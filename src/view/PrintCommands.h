#pragma once

#include "commands/CommandId.h"

#include <QObject>

#include <memory>
#include <vector>

class CCommandRegistry;
class CDomainDoc;
class QPrinter;
class QWidget;

// "Print...", "Print Preview" and "Print Setup...": one printer for the
// session, set up by the page setup and print dialogs and kept between
// jobs, and the list printed or previewed on it. All three are always
// enabled: an empty list prints its header, titles and footer.
class CPrintCommands : public QObject
{
    Q_OBJECT

public:
    // doc must outlive this; window parents the dialogs and owns this.
    CPrintCommands(const CDomainDoc& doc, QWidget* window);
    ~CPrintCommands() override;

    // Returns the ids registered.
    std::vector<CommandId> Register(CCommandRegistry& registry);

    // The session's printer, made when first needed.
    QPrinter& Printer();

    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

private:
    const CDomainDoc& m_doc;
    QWidget* m_pWindow;
    std::unique_ptr<QPrinter> m_pPrinter;
};
