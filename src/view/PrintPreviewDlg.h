#pragma once

#include <QDialog>

#include <memory>

class CDomainDoc;
class CListPrinter;
class CPreviewPages;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

// Print preview: the list's pages as printer would print them today, with
// the buttons to turn pages, show two at once, zoom, print and close. Only
// the pages shown are ever drawn. Ends with kPrintRequested when the user
// chose Print.
class CPrintPreviewDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kPrintRequested = 2;

    // "Print Lines" is read now. doc and printer must outlive the dialog.
    CPrintPreviewDlg(const CDomainDoc& doc, const QPrinter& printer, QWidget* parent = nullptr);
    ~CPrintPreviewDlg() override;

    CPreviewPages* Pages() const { return m_pPages; }

private:
    void UpdateControls();
    QPushButton* AddButton(const QString& text, const char* name);

    std::unique_ptr<CListPrinter> m_pPrinter;
    CPreviewPages* m_pPages = nullptr;
    QScrollArea* m_pScroll = nullptr;
    QWidget* m_pBar = nullptr;
    QLabel* m_pPageLabel = nullptr;
    QPushButton* m_pNext = nullptr;
    QPushButton* m_pPrev = nullptr;
    QPushButton* m_pTwoPage = nullptr;
    QPushButton* m_pZoomIn = nullptr;
    QPushButton* m_pZoomOut = nullptr;
};
