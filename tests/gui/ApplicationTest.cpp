#include "FrameTestSupport.h"
#include "GuiTestMain.h"

#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/DomainApp.h"
#include "shell/FileTypeRegistration.h"
#include "shell/MainFrame.h"
#include "base/ProgramFolder.h"
#include "shell/RecentFileList.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>

// Start-up and exit as main() runs them.
class ApplicationTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    static QStringList Args(const QString& path = {})
    {
        return path.isEmpty() ? QStringList{QStringLiteral("telvaro")} : QStringList{QStringLiteral("telvaro"), path};
    }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        QFile::remove(GetTLDFilePath());
        QDir().rmdir(GetTLDFilePath());
    }

    void startsWithAnEmptyList()
    {
        CDomainApp app;
        QVERIFY(app.InitInstance(Args()));
        QVERIFY(app.GetMainFrame()->isVisible());
        QCOMPARE(app.GetDocument()->GetCount(), 0);
        QCOMPARE(ShownTitle(*app.GetMainFrame()), QStringLiteral("Untitled - Telvaro"));
        // The TLD table is there before any list.
        QCOMPARE(g_tldTable.GetSize(), 12);
        QCOMPARE(app.ExitInstance(), 0);
    }

    void opensTheListNamedOnTheCommandLine_data()
    {
        QTest::addColumn<bool>("relative");
        QTest::newRow("absolute path") << false;
        QTest::newRow("relative path") << true;
    }

    void opensTheListNamedOnTheCommandLine()
    {
        QFETCH(bool, relative);
        const QString path = Path("start.qzn");
        (void)LoadTLDTable();
        QVERIFY(WriteListFile(path, {"alpha.com", "beta.net"}));
        const QString oldCurrent = QDir::currentPath();
        if (relative)
            QDir::setCurrent(m_dir.path());
        CDomainApp app;
        const bool started = app.InitInstance(Args(relative ? QStringLiteral("start.qzn") : path));
        QDir::setCurrent(oldCurrent);
        QVERIFY(started);
        QCOMPARE(app.GetDocument()->GetCount(), 2);
        QCOMPARE(app.GetDocument()->GetPathName(), path);
        QCOMPARE(ShownTitle(*app.GetMainFrame()), QStringLiteral("start.qzn - Telvaro"));
        QCOMPARE(app.GetRecentFileList()->GetAt(0), path);
        QVERIFY(!app.GetDocument()->IsModified());
    }

    void aListThatCannotBeOpenedIsReportedAndTheProgramStarts()
    {
        const QString path = Path("missing.qzn");
        CMessageBoxAnswerer answerer{QMessageBox::Ok};
        CDomainApp app;
        QVERIFY(app.InitInstance(Args(path)));
        QCOMPARE(answerer.m_texts.size(), 1);
        QVERIFY(answerer.m_texts[0].contains(path));
        QVERIFY(app.GetMainFrame()->isVisible());
        QCOMPARE(app.GetDocument()->GetCount(), 0);
        QCOMPARE(ShownTitle(*app.GetMainFrame()), QStringLiteral("Untitled - Telvaro"));
        QCOMPARE(app.GetRecentFileList()->GetSize(), 0);
    }

    void aDamagedListLoadsWhatItCan()
    {
        const QString path = Path("damaged.qzn");
        (void)LoadTLDTable();
        QVERIFY(WriteListFile(path, {"a.com", "b.com", "c.com"}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() - 3));
        file.close();
        CMessageBoxAnswerer answerer{QMessageBox::Ok};
        CDomainApp app;
        QVERIFY(app.InitInstance(Args(path)));
        QCOMPARE(answerer.m_texts.size(), 1);
        QCOMPARE(app.GetDocument()->GetCount(), 2);
        QVERIFY(app.GetDocument()->IsPartiallyLoaded());
    }

    void helpAndVersionEndAtOnce()
    {
        CDomainApp app;
        QVERIFY(!app.InitInstance({QStringLiteral("telvaro"), QStringLiteral("--version")}));
        QVERIFY(!app.GetMainFrame());
    }

    void registersTheFileTypeForThisProgram()
    {
        {
            CDomainApp app;
            QVERIFY(app.InitInstance(Args()));
        }
        const QString data = qEnvironmentVariable("XDG_DATA_HOME");
        QCOMPARE(CFileTypeRegistration::DataHome(), data);
        const QByteArray desktop = ReadAll(data + QStringLiteral("/applications/telvaro.desktop"));
        QVERIFY(desktop.contains("MimeType=application/x-telvaro-qzn;"));
        QVERIFY(desktop.contains("Exec=" + CFileTypeRegistration::ExecLine(QCoreApplication::applicationFilePath()).toUtf8()));
        const QByteArray mime = ReadAll(data + QStringLiteral("/mime/packages/telvaro-qzn.xml"));
        QVERIFY(mime.contains("<glob pattern=\"*.qzn\"/>"));
        QVERIFY(mime.contains("type=\"application/x-telvaro-qzn\""));
        QCOMPARE(QImage(data + QStringLiteral("/icons/hicolor/48x48/apps/telvaro.png")).size(), QSize(48, 48));

        // A program that moved registers its new place.
        QVERIFY(CFileTypeRegistration::Register(QStringLiteral("/opt/moved/telvaro")));
        QVERIFY(ReadAll(data + QStringLiteral("/applications/telvaro.desktop")).contains("Exec=\"/opt/moved/telvaro\" %f"));
    }

    void anInstalledProgramLeavesTheRegistrationToItsPackage()
    {
        // The build folder's program registers itself; one under a prefix
        // that holds its desktop entry does not.
        QVERIFY(!CFileTypeRegistration::IsInstalled(QCoreApplication::applicationFilePath()));
        const QString prefix = m_dir.filePath(QStringLiteral("prefix"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        QVERIFY(!CFileTypeRegistration::IsInstalled(prefix + QStringLiteral("/bin/telvaro")));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/share/applications")));
        QFile entry(prefix + QStringLiteral("/share/applications/telvaro.desktop"));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.close();
        QVERIFY(CFileTypeRegistration::IsInstalled(prefix + QStringLiteral("/bin/telvaro")));
        QVERIFY(!CFileTypeRegistration::IsInstalled(prefix + QStringLiteral("/telvaro")));
    }

    void execLinesQuoteWhatTheDesktopWouldExpand()
    {
        QCOMPARE(CFileTypeRegistration::ExecLine(QStringLiteral("/home/a b/telvaro")), QStringLiteral("\"/home/a b/telvaro\" %f"));
        QCOMPARE(CFileTypeRegistration::ExecLine(QStringLiteral("/x/$HOME/`t`/\"q\"/100%/t")),
                 QStringLiteral("\"/x/\\\\$HOME/\\\\`t\\\\`/\\\\\"q\\\\\"/100%%/t\" %f"));
        QCOMPARE(CFileTypeRegistration::ExecLine(QStringLiteral("/x\\y")), QStringLiteral("\"/x\\\\\\\\y\" %f"));
    }

    void theTLDTableIsSavedAtExit()
    {
        {
            CDomainApp app;
            QVERIFY(app.InitInstance(Args()));
            g_tldTable.GetAt(0)->m_strServer = "whois.changed.test";
            app.ExitInstance();
        }
        g_tldTable.RemoveAll();
        (void)LoadTLDTable();
        QCOMPARE(g_tldTable.GetAt(0)->m_strServer, QByteArray("whois.changed.test"));

        // A changed table that cannot be written is reported and fails the exit.
        CDomainApp app;
        QVERIFY(app.InitInstance(Args()));
        g_tldTable.GetAt(0)->m_strServer = "whois.changed.again";
        QVERIFY(QFile::remove(GetTLDFilePath()));
        QVERIFY(QDir().mkpath(GetTLDFilePath()));
        CMessageBoxAnswerer answerer{QMessageBox::Ok};
        QCOMPARE(app.ExitInstance(), 1);
        QCOMPARE(answerer.m_texts.size(), 1);
        QVERIFY(QDir().rmdir(GetTLDFilePath()));
    }

    void closingTheWindowEndsTheEventLoop()
    {
        CDomainApp app;
        QVERIFY(app.InitInstance(Args()));
        QTimer::singleShot(0, app.GetMainFrame(), &QWidget::close);
        // A stray message box closing must not end the program by itself.
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
        QTimer failsafe;
        failsafe.setSingleShot(true);
        connect(&failsafe, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
        failsafe.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(app.ExitInstance(), 0);
    }
};

TELVARO_GUI_TEST_MAIN(ApplicationTest)
#include "ApplicationTest.moc"
