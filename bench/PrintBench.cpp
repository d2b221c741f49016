// Printing the largest list: telvaro-cli print of 65535 names at 30 lines a
// page to PDF (time and file size), and how long the print preview of that
// list takes to show its first page. Timed by hand (QElapsedTimer); run
// with QT_QPA_PLATFORM=offscreen.
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "view/DomainView.h"
#include "view/PreviewPages.h"
#include "view/PrintPreviewDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void Fill(CDomainDoc& doc)
{
    doc.m_nMaxEntries = CDomainDoc::kMaxFileRecords;
    const COleDateTime checked = COleDateTime::GetCurrentTime();
    for (int i = 0; i < CDomainDoc::kMaxFileRecords; ++i) {
        doc.AddDomain("candidate" + QByteArray::number(i).rightJustified(6, '0') + ".com");
        CDomainInfo& r = *doc.GetAt(i);
        r.m_nStatus = i % 3 == 0 ? STATUS_AVAILABLE : STATUS_TAKEN;
        if (i % 6 == 1)
            r.m_strDNS = "192.0.2." + QByteArray::number(i % 250);
        if (i % 5 != 0)
            r.m_dtChecked = checked;
    }
}

}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("TELVARO_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BuildDefaultTLDTable();

    CDomainDoc doc;
    doc.OnNewDocument();
    Fill(doc);
    const QString list = home.path() + QStringLiteral("/big.qzn");
    const QString pdf = home.path() + QStringLiteral("/big.pdf");
    (void)doc.OnSaveDocument(list);

    QElapsedTimer timer;
    timer.start();
    QProcess cli;
    cli.start(QStringLiteral(TELVARO_CLI_PATH), {QStringLiteral("print"), list, QStringLiteral("--pdf"), pdf,
                                                  QStringLiteral("--lines"), QStringLiteral("30")});
    cli.waitForFinished(600000);
    const double printSeconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("telvaro-cli print, 65535 names at 30 lines a page: %s pages in %.1f s, %.1f MB of PDF (exit %d)\n",
                cli.readAllStandardOutput().trimmed().constData(), printSeconds,
                double(QFileInfo(pdf).size()) / 1e6, cli.exitCode());

    QWidget window;
    CCommandRegistry registry(&window);
    CDomainView view(&doc, &registry, &window);
    window.resize(1000, 700);
    view.resize(window.size());
    window.show();
    QApplication::processEvents();

    double firstPageMs = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<CPrintPreviewDlg*>(QApplication::activeModalWidget());
        if (preview && !preview->Pages()->PagesDrawn().empty()) {
            firstPageMs = double(timer.nsecsElapsed()) / 1e6;
            preview->reject();
        }
    });
    poll.start(1);
    timer.restart();
    registry.Execute(ID_FILE_PRINT_PREVIEW);
    std::printf("print preview of 65535 names: first page drawn %.0f ms after the command\n", firstPageMs);
    return 0;
}
