#include "view/PrintPreviewDlg.h"

#include "print/ListPrinter.h"
#include "view/PreviewPages.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kTwipsPerPoint = 20.0;

}

CPrintPreviewDlg::CPrintPreviewDlg(const CDomainDoc& doc, const QPrinter& printer, QWidget* parent)
    : QDialog(parent),
      m_pPrinter(std::make_unique<CListPrinter>(doc, CPageFrame::ForDevice(printer), CListPrinter::PrintLinesSetting(),
                                                QDate::currentDate()))
{
    setWindowTitle(QStringLiteral("Print Preview - Telvaro"));
    const QPageLayout layout = printer.pageLayout();
    const QRectF paper = layout.fullRectPoints();
    const QRectF printable = layout.paintRectPoints();
    m_pPages = new CPreviewPages(*m_pPrinter, paper.size() * kTwipsPerPoint,
                                 (printable.topLeft() - paper.topLeft()) * kTwipsPerPoint, this);
    m_pPages->setObjectName(QStringLiteral("pages"));

    m_pBar = new QWidget(this);
    auto* bar = new QHBoxLayout(m_pBar);
    bar->setContentsMargins(0, 0, 0, 0);
    QPushButton* print = AddButton(QStringLiteral("&Print..."), "print");
    m_pNext = AddButton(QStringLiteral("&Next Page"), "next");
    m_pPrev = AddButton(QStringLiteral("Pre&v Page"), "prev");
    m_pTwoPage = AddButton(QStringLiteral("&Two Page"), "twoPage");
    m_pZoomIn = AddButton(QStringLiteral("Zoom &In"), "zoomIn");
    m_pZoomOut = AddButton(QStringLiteral("Zoom &Out"), "zoomOut");
    QPushButton* close = AddButton(QStringLiteral("&Close"), "close");
    m_pPageLabel = new QLabel(m_pBar);
    m_pPageLabel->setObjectName(QStringLiteral("pageLabel"));
    bar->addSpacing(12);
    bar->addWidget(m_pPageLabel);
    bar->addStretch(1);

    m_pScroll = new QScrollArea(this);
    m_pScroll->setWidget(m_pPages);
    m_pScroll->setWidgetResizable(true);
    m_pScroll->setAlignment(Qt::AlignCenter);
    m_pScroll->setBackgroundRole(QPalette::Dark);

    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(m_pBar);
    layoutBox->addWidget(m_pScroll, 1);

    connect(print, &QPushButton::clicked, this, [this] { done(kPrintRequested); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pNext, &QPushButton::clicked, this,
            [this] { m_pPages->SetCurrentPage(m_pPages->CurrentPage() + (m_pPages->IsTwoPages() ? 2 : 1)); });
    connect(m_pPrev, &QPushButton::clicked, this,
            [this] { m_pPages->SetCurrentPage(m_pPages->CurrentPage() - (m_pPages->IsTwoPages() ? 2 : 1)); });
    connect(m_pTwoPage, &QPushButton::clicked, this, [this] { m_pPages->SetTwoPages(!m_pPages->IsTwoPages()); });
    connect(m_pZoomIn, &QPushButton::clicked, this, [this] { m_pPages->SetZoom(m_pPages->Zoom() + 1); });
    connect(m_pZoomOut, &QPushButton::clicked, this, [this] { m_pPages->SetZoom(m_pPages->Zoom() - 1); });
    connect(m_pPages, &CPreviewPages::ViewChanged, this, &CPrintPreviewDlg::UpdateControls);

    resize(760, 820);
    UpdateControls();
    m_pPages->setFocus();
}

CPrintPreviewDlg::~CPrintPreviewDlg() = default;

QPushButton* CPrintPreviewDlg::AddButton(const QString& text, const char* name)
{
    auto* button = new QPushButton(text, m_pBar);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    m_pBar->layout()->addWidget(button);
    return button;
}

void CPrintPreviewDlg::UpdateControls()
{
    const int page = m_pPages->CurrentPage();
    const int count = m_pPages->PageCount();
    const bool two = m_pPages->IsTwoPages();
    const int lastShown = two ? std::min(page + 1, count) : page;
    m_pPageLabel->setText(lastShown > page ? QStringLiteral("Pages %1-%2 of %3").arg(page).arg(lastShown).arg(count)
                                           : QStringLiteral("Page %1 of %2").arg(page).arg(count));
    m_pNext->setEnabled(lastShown < count);
    m_pPrev->setEnabled(page > 1);
    m_pTwoPage->setText(two ? QStringLiteral("&One Page") : QStringLiteral("&Two Page"));
    m_pZoomIn->setEnabled(m_pPages->Zoom() < CPreviewPages::kMaxZoom);
    m_pZoomOut->setEnabled(m_pPages->Zoom() > 0);
    // Whole pages fill the window; zoomed ones keep their size and scroll.
    const bool fit = m_pPages->Zoom() == 0;
    if (m_pScroll->widgetResizable() != fit) {
        m_pScroll->setWidgetResizable(fit);
        if (!fit)
            m_pPages->resize(m_pPages->ZoomedSize());
    }
}
