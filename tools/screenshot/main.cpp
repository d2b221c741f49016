// Shows the main window offscreen with a list in every state and saves a
// picture of it. Settings and the program folder go to a temporary place,
// so the user's own are never touched.
#include "model/DomainDoc.h"
#include "model/DomainInfo.h"
#include "net/MainThreadQueue.h"
#include "model/TLDTable.h"
#include "shell/DomainApp.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

struct SampleRow
{
    const char* m_pszName;
    uint8_t m_nStatus;
    bool m_bSelected;
    int m_nMinutesAgo;   // < 0: never checked
};

const SampleRow kRows[] = {
    {"bluekettle.com", STATUS_TAKEN, true, 42},
    {"bluekettle.net", STATUS_AVAILABLE, true, 41},
    {"bluekettle.org", STATUS_TAKEN, true, 41},
    {"kettleblue.com", STATUS_AVAILABLE, true, 40},
    {"kettleshop.com", STATUS_ERROR_FIRST, true, 39},
    {"kettleshop.net", STATUS_AVAILABLE, false, 39},
    {"blue-kettle.com", STATUS_TOO_MANY_ERRORS, false, 12},
    {"kettlehub.com", STATUS_UNKNOWN, true, -1},
    {"kettlehub.net", STATUS_UNKNOWN, false, -1},
    {"mykettle.org", STATUS_TAKEN, false, 5},
};

const char kTakenAnswer[] =
    "Domain Name: BLUEKETTLE.COM\r\n"
    "Registry Domain ID: 2336799_DOMAIN_COM-VRSN\r\n"
    "Registrar WHOIS Server: whois.registrar.example\r\n"
    "Updated Date: 2024-03-18T07:21:44Z\r\n"
    "Creation Date: 2009-08-13T04:00:00Z\r\n"
    "Registrar: Example Registrar, Inc.\r\n"
    "Name Server: NS1.EXAMPLE.NET\r\n"
    "Name Server: NS2.EXAMPLE.NET\r\n"
    "DNSSEC: unsigned\r\n";

QByteArray AnswerFor(const SampleRow& row)
{
    switch (row.m_nStatus) {
    case STATUS_TAKEN:
        return QByteArray(kTakenAnswer).replace("BLUEKETTLE.COM", QByteArray(row.m_pszName).toUpper());
    case STATUS_AVAILABLE:
        return "No match for \"" + QByteArray(row.m_pszName).toUpper() + "\".\r\n";
    case STATUS_UNKNOWN:
        return {};
    default:
        return "whois: connection timed out";
    }
}

void FillDocument(CDomainDoc& doc)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (const SampleRow& row : kRows) {
        if (!doc.AddDomain(row.m_pszName))
            continue;
        CDomainInfo& record = *doc.GetAt(doc.GetCount() - 1);
        record.m_nStatus = row.m_nStatus;
        record.m_bSelected = row.m_bSelected;
        record.m_strWhois = AnswerFor(row);
        if (row.m_nMinutesAgo >= 0)
            record.m_dtChecked = COleDateTime::FromDateTime(now.addSecs(-60 * row.m_nMinutesAgo));
    }
    doc.SetModifiedFlag(false);
    doc.NotifyListRebuilt();
}

}

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    qputenv("TELVARO_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Telvaro"));
    QApplication::setApplicationName(QStringLiteral("Telvaro"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/main-window.png");

    (void)LoadTLDTable();
    int result = 0;
    {
        CDomainDoc doc;
        doc.OnNewDocument();
        CRecentFileList recent(CDomainApp::kRecentFiles);
        CMainFrame frame(&doc, &recent);
        frame.resize(960, 640);
        FillDocument(doc);
        doc.SetPathName(QStringLiteral("/home/user/Documents/kettle names.qzn"));
        frame.UpdateTitle();
        frame.show();
        frame.GetView()->GetListCtrl()->HighlightItem(0);
        QTimer::singleShot(300, &app, &QCoreApplication::quit);
        QApplication::exec();
        if (!frame.grab().save(out)) {
            std::fprintf(stderr, "telvaro-screenshot: cannot write %s\n", out.toLocal8Bit().constData());
            result = 1;
        }
    }
    CMainThreadQueue::WaitForThreads(std::chrono::seconds(10));
    return result;
}
