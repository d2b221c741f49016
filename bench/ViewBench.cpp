// The main view with the largest list: opening a 65535-name document until
// the list has painted, and what one scheduler tick costs with that list.
// Timed by hand (QElapsedTimer); run with QT_QPA_PLATFORM=offscreen.
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "commands/CommandRegistry.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

QString MakeDocument(const QString& folder)
{
    CDomainDoc doc;
    doc.m_nMaxEntries = CDomainDoc::kMaxFileRecords;
    for (int i = 0; i < CDomainDoc::kMaxFileRecords; ++i) {
        doc.AddDomain("name" + QByteArray::number(i).rightJustified(6, '0') + ".com");
        CDomainInfo& r = *doc.GetAt(i);
        r.m_bSelected = 1;
        r.m_strWhois = i % 2 ? "Registrar: Example\r\n" : "No match for this name\r\n";
        r.m_dtChecked = COleDateTime::GetCurrentTime();
    }
    const QString path = folder + QStringLiteral("/big.qzn");
    (void)doc.OnSaveDocument(path);
    return path;
}

}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    UseBenchHome(home);
    QApplication app(argc, argv);
    BuildDefaultTLDTable();
    const QString path = MakeDocument(home.path());

    QWidget window;
    CCommandRegistry registry(&window);
    CDomainDoc doc;
    doc.OnNewDocument();
    CDomainView view(&doc, &registry, &window);
    window.resize(1000, 700);
    view.resize(window.size());
    window.show();
    QApplication::processEvents();

    CPaintWatcher watcher;
    view.GetListCtrl()->viewport()->installEventFilter(&watcher);
    QElapsedTimer timer;
    timer.start();
    (void)doc.OnOpenDocument(path);
    const double loadMs = double(timer.nsecsElapsed()) / 1e6;
    while (!watcher.m_bPainted)
        QApplication::processEvents();
    const double firstPaintMs = double(timer.nsecsElapsed()) / 1e6;

    // Ticks: idle (only the hint line), and running with every name ticked
    // but nothing left to start, so both passes walk the whole list.
    CLookupScheduler* scheduler = view.GetScheduler();
    std::vector<double> idle;
    std::vector<double> running;
    for (int i = 0; i < 50; ++i) {
        timer.restart();
        scheduler->OnTimer();
        idle.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    for (const auto& r : doc.Records())
        r->m_nStatus = STATUS_TAKEN;
    for (int i = 0; i < 50; ++i) {
        scheduler->LookupSelected();
        timer.restart();
        scheduler->OnTimer();
        running.push_back(double(timer.nsecsElapsed()) / 1e6);
    }

    std::printf("65535 names: load %.0f ms, first paint of the list %.0f ms after the open began\n", loadMs,
                firstPaintMs);
    std::printf("scheduler tick: idle %.2f ms, Lookup Selected walking the whole list %.2f ms (medians of 50)\n",
                Median(idle), Median(running));
    return 0;
}
