#include "GuiTestMain.h"
#include "TestSupport.h"
#include "widgets/OpenInBrowser.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class OpenInBrowserTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A stand-in browser that writes each argument it got on a line of its
    // own into args.txt.
    QString MakeRecorder()
    {
        const QString script = m_dir.filePath(QStringLiteral("recorder"));
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args.txt\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return script;
    }

    QByteArray RecordedArgs()
    {
        QFile f(m_dir.filePath(QStringLiteral("args.txt")));
        ProcessEventsUntil([&] { return f.exists() && f.size() > 0; }, 5000);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() { QFile::remove(m_dir.filePath(QStringLiteral("args.txt"))); }

    void targetsBecomeAddressesOrFiles()
    {
        QCOMPARE(BrowserUrlFor(QStringLiteral("http://www.example.com")).toString(), QStringLiteral("http://www.example.com"));
        QCOMPARE(BrowserUrlFor(QStringLiteral("HTTPS://x.example/?d=a b")).scheme(), QStringLiteral("https"));
        QCOMPARE(BrowserUrlFor(QStringLiteral("/tmp/report.htm")), QUrl::fromLocalFile(QStringLiteral("/tmp/report.htm")));
        // Nothing but the known schemes is taken for an address.
        QVERIFY(BrowserUrlFor(QStringLiteral("javascript:alert(1)")).isLocalFile());
        QVERIFY(BrowserUrlFor(QStringLiteral("report.htm")).isLocalFile());
        QVERIFY(!OpenInBrowser(QString()));
    }

    void theBrowserVariableIsNeverReadByAShell()
    {
        const QString recorder = MakeRecorder();
        const QString pwned = m_dir.filePath(QStringLiteral("pwned"));
        const QUrl url(QStringLiteral("http://www.x.com/?q=a;touch %1;$(touch %1)`touch %1`").arg(pwned));
        QVERIFY(OpenWithBrowserVariable(url, QStringLiteral("/nonexistent/browser:") + recorder + QStringLiteral(" --new %s")));
        const QByteArray args = RecordedArgs();
        QCOMPARE(args, "--new\n" + url.toString(QUrl::FullyEncoded).toUtf8() + "\n");
        QVERIFY(!QFile::exists(pwned));
    }

    void theUrlIsAppendedWithoutAPlaceholder()
    {
        const QString recorder = MakeRecorder();
        QVERIFY(OpenWithBrowserVariable(QUrl(QStringLiteral("https://a.example/")), recorder));
        QCOMPARE(RecordedArgs(), QByteArray("https://a.example/\n"));
        QVERIFY(!OpenWithBrowserVariable(QUrl(QStringLiteral("https://a.example/")), QStringLiteral("/nonexistent/x")));
        QVERIFY(!OpenWithBrowserVariable(QUrl(QStringLiteral("https://a.example/")), QString()));
        QVERIFY(!OpenWithXdgOpen(QUrl(QStringLiteral("https://a.example/")), QStringLiteral("/nonexistent/xdg-open")));
    }

    void testsCanStandInForTheBrowser()
    {
        QList<QUrl> opened;
        SetBrowserOpenerForTests([&](const QUrl& url) {
            opened << url;
            return true;
        });
        QVERIFY(OpenInBrowser(QStringLiteral("http://www.kettle.com")));
        SetBrowserOpenerForTests({});
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("http://www.kettle.com"))});
    }
};

TELVARO_GUI_TEST_MAIN(OpenInBrowserTest)
#include "OpenInBrowserTest.moc"
