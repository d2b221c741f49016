// The TLD setup dialog on the table the sample import gives: opening it
// until its list has painted, and its import of the whole wholist.txt.
// Timed by hand (QElapsedTimer); run with QT_QPA_PLATFORM=offscreen.
#include "model/TLDResources.h"
#include "model/TLDTable.h"
#include "names/TLDSetupDlg.h"
#include "names/WhoisImport.h"
#include "view/TLDListCtrl.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

double Ms(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    UseBenchHome(home);
    QApplication app(argc, argv);
    QByteArray sample;
    QString error;
    InitTLDResources();
    if (!ReadTLDResource(kSampleWholistResource, &sample, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    std::vector<double> opens;
    std::vector<double> imports;
    QElapsedTimer timer;
    for (int i = 0; i < 11; ++i) {
        // Import through the dialog, as its Import button does.
        BuildDefaultTLDTable();
        {
            CTLDSetupDlg dlg([] { return false; });
            dlg.show();
            QApplication::processEvents();
            timer.start();
            dlg.ImportText(sample);
            QApplication::processEvents();
            imports.push_back(Ms(timer));
        }

        // Open on the imported table until the list has painted.
        timer.start();
        CTLDSetupDlg dlg([] { return false; });
        CPaintWatcher watcher;
        dlg.ListCtrl()->viewport()->installEventFilter(&watcher);
        dlg.show();
        while (!watcher.m_bPainted)
            QApplication::processEvents();
        opens.push_back(Ms(timer));
    }
    std::printf("TLD setup dialog, %d rows: first paint %.1f ms after opening began; "
                "importing wholist.txt (%d lines) in the open dialog %.1f ms (medians of 11)\n",
                int(g_tldTable.GetSize()), Median(opens), int(sample.count('\n')), Median(imports));
    g_tldTable.RemoveAll();
    return 0;
}
