#include "GuiTestMain.h"
#include "NameDialogsSupport.h"
#include "PdfSupport.h"
#include "TestSupport.h"
#include "base/Settings.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "print/ListPrinter.h"
#include "print/PrintTexts.h"
#include "view/DomainView.h"
#include "view/PreviewPages.h"
#include "view/PrintCommands.h"
#include "view/PrintJob.h"
#include "view/PrintOrder.h"
#include "view/PrintPreviewDlg.h"

#include <QDate>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

// The printed list, read back from real PDF output with Poppler's tools,
// and the commands, dialogs and preview that make it.
class PrintTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<CDomainDoc> m_pDoc;
    int m_nPdf = 0;

    // n names "name01.com" on, all unknown and never checked.
    void Fill(int n)
    {
        m_pDoc->DeleteAllDomains();
        m_pDoc->m_nMaxEntries = CDomainDoc::kMaxFileRecords;
        for (int i = 1; i <= n; ++i)
            QVERIFY(m_pDoc->AddDomain("name" + QByteArray::number(i).rightJustified(2, '0') + ".com"));
    }

    QString NewPdfPath() { return m_dir.filePath(QStringLiteral("out%1.pdf").arg(++m_nPdf)); }

    static void ToPdf(QPrinter& printer, const QString& path, QPageSize::PageSizeId paper = QPageSize::A4)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(paper));
    }

    // The list printed as the print dialog would leave an A4 PDF printer.
    QString PrintToPdf(QPageSize::PageSizeId paper = QPageSize::A4)
    {
        const QString path = NewPdfPath();
        QPrinter printer(QPrinter::HighResolution);
        ToPdf(printer, path, paper);
        const CResult printed = PrintDocument(printer, *m_pDoc, nullptr);
        if (!printed)
            qWarning() << printed.Message();
        return path;
    }

    static QString Today() { return PrintedDateText(QDate::currentDate()); }
    static QString Footer(int page)
    {
        return QString::fromLatin1(CListPrinter::kNotice) + QStringLiteral(" | Page-%1").arg(page);
    }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        BuildDefaultTLDTable();
        m_pDoc = std::make_unique<CDomainDoc>();
        m_pDoc->OnNewDocument();
    }

    void cleanup() { m_pDoc.reset(); }

    void anEmptyListPrintsOnePageWithHeaderTitlesAndFooter()
    {
        const QString pdf = PrintToPdf();
        QCOMPARE(PdfPageCount(pdf), 1);
        QCOMPARE(PdfPageLines(pdf, 1), (QStringList{QStringLiteral("Telvaro | ") + Today(),
                                                    QStringLiteral("Domain Names | Status | Checked On"), Footer(1)}));
    }

    void thirtyOneRecordsMakeTwoPagesAndThirtyMakeOne()
    {
        Fill(31);
        QString pdf = PrintToPdf();
        QCOMPARE(PdfPageCount(pdf), 2);
        const QStringList first = PdfPageLines(pdf, 1);
        QCOMPARE(first.size(), 33);
        QCOMPARE(first[2], QStringLiteral("1] name01.com | Unknown | -"));
        QCOMPARE(first[31], QStringLiteral("30] name30.com | Unknown | -"));
        QCOMPARE(first[32], Footer(1));
        QCOMPARE(PdfPageLines(pdf, 2), (QStringList{QStringLiteral("Telvaro | ") + Today(),
                                                    QStringLiteral("Domain Names | Status | Checked On"),
                                                    QStringLiteral("31] name31.com | Unknown | -"), Footer(2)}));

        QVERIFY(m_pDoc->RemoveAt(30));
        pdf = PrintToPdf();
        QCOMPARE(PdfPageCount(pdf), 1);
        QCOMPARE(PdfPageLines(pdf, 1).size(), 33);
    }

    void statusesAndTimesArePrintedAsTheyStand()
    {
        Fill(8);
        const auto set = [this](int i, uint8_t status, const QByteArray& dns = {}) {
            m_pDoc->GetAt(i)->m_nStatus = status;
            m_pDoc->GetAt(i)->m_strDNS = dns;
        };
        set(0, STATUS_TAKEN);
        set(1, STATUS_TAKEN, "192.0.2.7");
        set(2, STATUS_AVAILABLE);
        set(3, STATUS_CHECKING);
        set(4, STATUS_TOO_MANY_ERRORS);
        set(5, STATUS_ERROR_FIRST + 2);
        set(6, STATUS_TAKEN, QByteArray(5000, '9'));   // a server's address text of any length
        const QDateTime checked(QDate(2024, 3, 5), QTime(14, 7, 9));
        m_pDoc->GetAt(7)->m_dtChecked = COleDateTime::FromDateTime(checked);

        const QStringList lines = PdfPageLines(PrintToPdf(), 1);
        QCOMPARE(lines[2], QStringLiteral("1] name01.com | Taken | -"));
        QCOMPARE(lines[3], QStringLiteral("2] name02.com | Taken [DNS: 192.0.2.7] | -"));
        QCOMPARE(lines[4], QStringLiteral("3] name03.com | *AVAILABLE* | -"));
        QCOMPARE(lines[5], QStringLiteral("4] name04.com | Checking | -"));
        QCOMPARE(lines[6], QStringLiteral("5] name05.com | Too many errors | -"));
        QCOMPARE(lines[7], QStringLiteral("6] name06.com | Error | -"));
        // Cut short before it reaches the time column.
        QVERIFY2(lines[8].startsWith(QLatin1String("7] name07.com | Taken [DNS: 999")) && lines[8].endsWith(QLatin1String(" | -")),
                 qPrintable(lines[8]));
        QCOMPARE(lines[9], QStringLiteral("8] name08.com | Unknown | ") + m_pDoc->GetAt(7)->m_dtChecked.FormatDateTime());
    }

    void printLinesIsReadForEveryJob()
    {
        Fill(31);
        Settings::PrintLines.Set(10);
        QString pdf = PrintToPdf();
        QCOMPARE(PdfPageCount(pdf), 4);
        QCOMPARE(PdfPageLines(pdf, 4)[2], QStringLiteral("31] name31.com | Unknown | -"));
        // A stored value below 1 prints a record a page rather than dividing by it.
        Settings::PrintLines.Set(0);
        pdf = PrintToPdf();
        QCOMPARE(PdfPageCount(pdf), 31);
        QCOMPARE(PdfPageLines(pdf, 31)[2], QStringLiteral("31] name31.com | Unknown | -"));
    }

    void aPageTooShortForPrintLinesNeverDropsARecord()
    {
        Fill(40);
        Settings::PrintLines.Set(60);
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = NewPdfPath();
        ToPdf(printer, pdf, QPageSize::A5);
        printer.setPageOrientation(QPageLayout::Landscape);
        const CListPrinter layout(*m_pDoc, CPageFrame::ForDevice(printer), 60, QDate::currentDate());
        const int perPage = layout.LinesPerPage();
        QVERIFY(perPage > 1 && perPage < 40);

        QVERIFY(PrintDocument(printer, *m_pDoc, nullptr).IsOk());
        const int pages = PdfPageCount(pdf);
        QCOMPARE(pages, (40 + perPage - 1) / perPage);
        static const QRegularExpression line(QStringLiteral("^\\d+\\] name"));
        QStringList printed;
        for (int page = 1; page <= pages; ++page)
            printed += PdfPageLines(pdf, page).filter(line);
        QCOMPARE(printed.size(), 40);
        QCOMPARE(printed.last(), QStringLiteral("40] name40.com | Unknown | -"));
    }

    void rulesSpanTheUsableWidthUnderTheHeaderAndOverTheFooter()
    {
        Fill(3);
        const QString pdf = PrintToPdf();
        const QString png = m_dir.filePath(QStringLiteral("page"));
        QVERIFY(RunPoppler(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                                                        QStringLiteral("-singlefile"), pdf, png}));
        const QImage page(png + QStringLiteral(".png"));
        QCOMPARE(page.size(), QSize(595, 842));   // A4 at 72 dpi
        // Rows that are dark from three quarters of an inch in to half an inch
        // before the right edge: the two rules.
        QList<int> rules;
        for (int y = 0; y < page.height(); ++y) {
            int dark = 0;
            for (int x = 54; x < page.width() - 36; ++x)
                dark += qGray(page.pixel(x, y)) < 160;
            if (dark > (page.width() - 90) * 9 / 10 && (rules.isEmpty() || rules.last() < y - 1))
                rules << y;
        }
        QCOMPARE(rules.size(), 2);
        QVERIFY2(rules[0] > 36 && rules[0] < 72, qPrintable(QString::number(rules[0])));           // under the title
        QVERIFY2(rules[1] > 842 - 36 && rules[1] < 842 - 10, qPrintable(QString::number(rules[1])));   // above the footer
        QCOMPARE(qGray(page.pixel(40, rules[0])), 255);   // nothing in the left margin
    }

    void thePageRangeOrderAndCopiesChooseThePages()
    {
        QPrinter printer(QPrinter::HighResolution);
        ToPdf(printer, NewPdfPath());
        QCOMPARE(PagesToPrint(printer, 3), (std::vector<int>{1, 2, 3}));
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 9);
        QCOMPARE(PagesToPrint(printer, 3), (std::vector<int>{2, 3}));
        printer.setPageOrder(QPrinter::LastPageFirst);
        QCOMPARE(PagesToPrint(printer, 3), (std::vector<int>{3, 2}));
        printer.setCopyCount(2);
        if (!printer.supportsMultipleCopies()) {
            printer.setCollateCopies(true);
            QCOMPARE(PagesToPrint(printer, 3), (std::vector<int>{3, 2, 3, 2}));
            printer.setCollateCopies(false);
            QCOMPARE(PagesToPrint(printer, 3), (std::vector<int>{3, 3, 2, 2}));
        }
        printer.setFromTo(5, 9);
        QVERIFY(PagesToPrint(printer, 3).empty());
    }

    // The commands on a view, as the frame has them.
    void printCommandGoesThroughThePrintDialog()
    {
        Fill(31);
        QWidget window;
        CCommandRegistry registry(&window);
        auto* view = new CDomainView(m_pDoc.get(), &registry, &window);
        CPrintCommands* commands = view->findChild<CPrintCommands*>();
        QVERIFY(commands);
        for (CommandId id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP})
            QVERIFY(registry.Find(id) && registry.Find(id)->isEnabled());

        // Cancelled: nothing is printed.
        const QString pdf = NewPdfPath();
        ToPdf(commands->Printer(), pdf);
        QStringList titles;
        {
            CModalDriver driver([&](QWidget* dialog) {
                titles << dialog->windowTitle();
                static_cast<QDialog*>(dialog)->reject();
            });
            QVERIFY(registry.Execute(ID_FILE_PRINT));
        }
        QCOMPARE(titles.size(), 1);
        QVERIFY(!QFile::exists(pdf));

        // Accepted: the dialog keeps the PDF file the printer was set to.
        {
            CModalDriver driver([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
            QVERIFY(registry.Execute(ID_FILE_PRINT));
        }
        QCOMPARE(PdfPageCount(pdf), 2);
        QCOMPARE(PdfPageLines(pdf, 2)[2], QStringLiteral("31] name31.com | Unknown | -"));
    }

    void previewDrawsOnlyThePagesItShows()
    {
        Fill(0);
        m_pDoc->m_nMaxEntries = CDomainDoc::kMaxFileRecords;
        for (int i = 0; i < CDomainDoc::kMaxFileRecords; ++i)
            QVERIFY(m_pDoc->AddDomain("n" + QByteArray::number(i) + ".com"));
        QPrinter printer(QPrinter::HighResolution);
        ToPdf(printer, NewPdfPath());
        CPrintPreviewDlg preview(*m_pDoc, printer);
        CPreviewPages* pages = preview.Pages();
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(ProcessEventsUntil([&] { return !pages->PagesDrawn().empty(); }));
        QCOMPARE(pages->PageCount(), 2185);
        const auto drawn = [&] {
            std::vector<int> d = pages->PagesDrawn();
            std::sort(d.begin(), d.end());
            d.erase(std::unique(d.begin(), d.end()), d.end());
            return d;
        };
        QCOMPARE(drawn(), std::vector<int>{1});
        auto* label = preview.findChild<QLabel*>(QStringLiteral("pageLabel"));
        QCOMPARE(label->text(), QStringLiteral("Page 1 of 2185"));
        QVERIFY(!preview.findChild<QPushButton*>(QStringLiteral("prev"))->isEnabled());

        preview.findChild<QPushButton*>(QStringLiteral("next"))->click();
        QVERIFY(ProcessEventsUntil([&] { return drawn().size() == 2; }));
        QCOMPARE(drawn(), (std::vector<int>{1, 2}));
        preview.findChild<QPushButton*>(QStringLiteral("twoPage"))->click();
        QVERIFY(ProcessEventsUntil([&] { return drawn().size() == 3; }));
        QCOMPARE(drawn(), (std::vector<int>{1, 2, 3}));
        QCOMPARE(label->text(), QStringLiteral("Pages 2-3 of 2185"));

        QTest::keyClick(pages, Qt::Key_End);
        QVERIFY(ProcessEventsUntil([&] { return drawn().back() == 2185; }));
        QCOMPARE(label->text(), QStringLiteral("Page 2185 of 2185"));
        QVERIFY(!preview.findChild<QPushButton*>(QStringLiteral("next"))->isEnabled());
        QCOMPARE(drawn().size(), size_t(4));

        // Zoomed, the sheets keep their size and scroll.
        preview.findChild<QPushButton*>(QStringLiteral("zoomIn"))->click();
        QCOMPARE(pages->Zoom(), 1);
        QCOMPARE(pages->size(), pages->ZoomedSize());
        QVERIFY(preview.findChild<QPushButton*>(QStringLiteral("zoomOut"))->isEnabled());
        preview.findChild<QPushButton*>(QStringLiteral("zoomOut"))->click();
        QCOMPARE(pages->Zoom(), 0);
    }

    void previewsPrintButtonOpensThePrintDialog()
    {
        Fill(2);
        QWidget window;
        CCommandRegistry registry(&window);
        auto* view = new CDomainView(m_pDoc.get(), &registry, &window);
        ToPdf(view->findChild<CPrintCommands*>()->Printer(), NewPdfPath());
        QStringList titles;
        CModalDriver driver([&](QWidget* dialog) {
            titles << dialog->windowTitle();
            if (auto* print = dialog->findChild<QPushButton*>(QStringLiteral("print")))
                print->click();
            else
                static_cast<QDialog*>(dialog)->reject();
        });
        QVERIFY(registry.Execute(ID_FILE_PRINT_PREVIEW));
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles[0], QStringLiteral("Print Preview - Telvaro"));
    }
};

TELVARO_GUI_TEST_MAIN(PrintTest)
#include "PrintTest.moc"
