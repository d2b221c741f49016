#include "FrameTestSupport.h"
#include "GuiTestMain.h"
#include "NameDialogsSupport.h"

#include "base/Settings.h"
#include "base/UserMessage.h"
#include "commands/CommandId.h"
#include "commands/CommandProxy.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "export/ExportCommands.h"
#include "export/ExportDialog.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "widgets/OpenInBrowser.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>
#include <memory>

namespace {

constexpr CommandId kExportIds[] = {ID_REPORT_FULL, ID_REPORT_SUMMARY, ID_EXPORT_TEXT_SELECTED, ID_EXPORT_TEXT_FREE,
                                    ID_EXPORT_ACCESS};

// What one export command asked its dialog.
struct AskedDialog
{
    QString m_strFilters;
    QString m_strSuffix;
    QString m_strInitial;
};

QString Describe(QAction* action)
{
    if (action->isSeparator())
        return QStringLiteral("-");
    if (QMenu* sub = action->menu()) {
        QStringList items;
        for (QAction* a : sub->actions())
            items << Describe(a);
        return sub->title() + QStringLiteral(" > [") + items.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    return action->text();
}

}

// The report and export commands as the main window offers them: menus and
// enable rules, the dialogs and their remembered folders, the messages.
class ExportCommandsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CDomainDoc> m_pDoc;
    std::unique_ptr<CRecentFileList> m_pRecent;
    std::unique_ptr<CMainFrame> m_pFrame;
    QStringList m_errors;
    QList<QUrl> m_opened;
    bool m_bBrowserStarts = true;
    QString m_answer;
    QList<AskedDialog> m_asked;

    QString Path(const QString& name) const { return m_pDir->filePath(name); }
    CCommandRegistry& Registry() const { return *m_pFrame->Registry(); }
    CExportCommands* Commands() const { return m_pFrame->findChild<CExportCommands*>(); }

    void Add(const char* name, uint8_t status, bool selected, const QByteArray& whois = {})
    {
        auto record = std::make_unique<CDomainInfo>();
        record->m_strName = name;
        record->m_nStatus = status;
        record->m_bSelected = selected ? 1 : 0;
        record->m_strWhois = whois;
        m_pDoc->AppendLoaded(std::move(record));
        m_pDoc->NotifyListRebuilt();
    }

    // Five records: three marked, two free of which one is unmarked.
    void AddSample()
    {
        Add("taken.com", STATUS_TAKEN, true, "Domain Name: TAKEN.COM\r\nRegistrar: Example\r\n");
        Add("free.com", STATUS_AVAILABLE, false);
        Add("idle.com", STATUS_UNKNOWN, true);
        Add("open.net", STATUS_AVAILABLE, true);
        Add("gone.org", STATUS_ERROR_FIRST, false);
    }

    QList<QAction*> NamesMenuActions() const
    {
        for (QAction* top : m_pFrame->menuBar()->actions()) {
            if (top->text() == QLatin1String("&Names"))
                return top->menu()->actions();
        }
        return {};
    }

    QStringList NamesMenu() const
    {
        QStringList items;
        for (QAction* item : NamesMenuActions())
            items << Describe(item);
        return items;
    }

    // Runs the command with the dialog answered by m_answer and the boxes
    // by answers; the texts of the boxes.
    QStringList Run(CommandId id, std::initializer_list<QMessageBox::StandardButton> answers = {})
    {
        CMessageBoxAnswerer answerer(answers);
        if (!Registry().Execute(id))
            return {QStringLiteral("(disabled)")};
        [&] { QCOMPARE(answerer.m_nUnscripted, 0); }();
        return answerer.m_texts;
    }

    static QString FileText(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        SetUserMessageHandler([this](const QString& text) { m_errors << text; });
        SetBrowserOpenerForTests([this](const QUrl& url) {
            m_opened << url;
            return m_bBrowserStarts;
        });
    }

    void cleanupTestCase()
    {
        SetBrowserOpenerForTests({});
        SetUserMessageHandler({});
    }

    void init()
    {
        QSettings().clear();
        (void)LoadTLDTable();
        m_pDir = std::make_unique<QTemporaryDir>();
        m_errors.clear();
        m_opened.clear();
        m_bBrowserStarts = true;
        m_asked.clear();
        m_answer.clear();
        m_pDoc = std::make_unique<CDomainDoc>();
        m_pDoc->OnNewDocument();
        m_pRecent = std::make_unique<CRecentFileList>(4);
        m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), m_pRecent.get());
        QVERIFY(Commands());
        Commands()->SetAskPath([this](QWidget*, const CExportDialog& dialog, const QString& initial) {
            m_asked.append({QLatin1String(dialog.m_pszFilters), QLatin1String(dialog.m_pszDefaultSuffix), initial});
            return m_answer;
        });
        m_pFrame->show();
    }

    void cleanup()
    {
        m_pFrame.reset();
        m_pRecent.reset();
        m_pDoc.reset();
    }

    void namesMenuHoldsTheExportsAndTheToolbarDoesNot()
    {
        QCOMPARE(NamesMenu(),
                 (QStringList{QStringLiteral("&Add Names...\tCtrl+A"), QStringLiteral("&Construct Names...\tCtrl+K"),
                              QStringLiteral("-"), QStringLiteral("&Sort > [&Name wise, Status wise]"), QStringLiteral("-"),
                              QStringLiteral("&Reports > [Selected &Full..., Selected &Summary...]"),
                              QStringLiteral("Export As &Text > [&All Selected Names..., All Available &Names]"),
                              QStringLiteral("&Export to Database")}));
        QAction* database = Registry().Find(ID_EXPORT_ACCESS);
        QCOMPARE(database->statusTip(), QStringLiteral("Export to Database"));
        QCOMPARE(database->toolTip(), QStringLiteral("Export to Database"));
        QCOMPARE(CommandMenuText(ID_EXPORT_ACCESS, MenuPlace::ContextMenu), QStringLiteral("&Database, Selected Full..."));
        // Its item shows a picture, as the menus' pictures of the toolbar do.
        QVERIFY(!NamesMenuActions().isEmpty());
        const QImage picture = NamesMenuActions().last()->icon().pixmap(18, 18).toImage();
        QVERIFY(!picture.isNull() && picture.pixelColor(9, 9).alpha() > 0);
        QCOMPARE(Registry().Find(ID_REPORT_FULL)->statusTip(), QStringLiteral("Export All information to an HTML file"));
        for (QAction* action : m_pFrame->ToolBar()->actions()) {
            if (auto* proxy = qobject_cast<CCommandProxy*>(action))
                QVERIFY(!std::count(std::begin(kExportIds), std::end(kExportIds), proxy->Id()));
        }
    }

    void enabledByMarksAndFreeNames()
    {
        const auto enabled = [this] {
            QList<bool> states;
            Registry().UpdateCommandUI();
            for (CommandId id : kExportIds)
                states << Registry().Find(id)->isEnabled();
            return states;
        };
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false}));
        Add("taken.com", STATUS_TAKEN, false);
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false}));
        // A free name need not be marked to be exported as one.
        Add("free.com", STATUS_AVAILABLE, false);
        QCOMPARE(enabled(), (QList<bool>{false, false, false, true, false}));
        m_pDoc->SetSelected(0, 1);
        QCOMPARE(enabled(), (QList<bool>{true, true, true, true, true}));
        // The frame follows the marks by itself.
        m_pDoc->SetSelected(0, 0);
        QTRY_VERIFY(!Registry().Find(ID_REPORT_SUMMARY)->isEnabled());
        QVERIFY(Registry().Find(ID_EXPORT_TEXT_FREE)->isEnabled());
        QCOMPARE(Run(ID_EXPORT_ACCESS), QStringList{QStringLiteral("(disabled)")});
        QVERIFY(m_asked.isEmpty());
    }

    void rememberedFolders_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("filters");
        QTest::addColumn<int>("answer");
        const QString html = QStringLiteral("Html Files (*.htm);;All Files (*)");
        const QString text = QStringLiteral("Text Files (*.txt);;All Files (*)");
        const int no = QMessageBox::No;
        const int ok = QMessageBox::Ok;
        QTest::newRow("full report") << ID_REPORT_FULL.m_nValue << QStringLiteral("list.htm") << QStringLiteral("HTM")
                                     << QStringLiteral("htm") << html << no;
        QTest::newRow("summary report") << ID_REPORT_SUMMARY.m_nValue << QStringLiteral("list.htm")
                                        << QStringLiteral("HTM") << QStringLiteral("htm") << html << no;
        QTest::newRow("text, marked") << ID_EXPORT_TEXT_SELECTED.m_nValue << QStringLiteral("list.txt")
                                      << QStringLiteral("TXT") << QStringLiteral("txt") << text << ok;
        QTest::newRow("text, free") << ID_EXPORT_TEXT_FREE.m_nValue << QStringLiteral("free.txt")
                                    << QStringLiteral("TXT") << QStringLiteral("txt") << text << ok;
        QTest::newRow("database") << ID_EXPORT_ACCESS.m_nValue << QStringLiteral("names.sqlite")
                                  << QStringLiteral("MDB") << QStringLiteral("sqlite")
                                  << QStringLiteral("SQLite databases (*.sqlite *.db);;All Files (*)") << ok;
    }

    void rememberedFolders()
    {
        QFETCH(int, id);
        QFETCH(QString, file);
        QFETCH(QString, entry);
        QFETCH(QString, extension);
        QFETCH(QString, filters);
        QFETCH(int, answer);
        const auto button = QMessageBox::StandardButton(answer);
        AddSample();
        const CommandId command{id};
        QSettings settings;
        const QString key = QStringLiteral("Save Path/") + entry;
        QVERIFY(QDir(m_pDir->path()).mkpath(QStringLiteral("reports")));

        // Cancel: nothing written, nothing remembered.
        QCOMPARE(Run(command), QStringList{});
        QVERIFY(!settings.contains(key));

        m_answer = Path(QStringLiteral("reports/") + file);
        QCOMPARE(Run(command, {button}).size(), 1);
        QVERIFY(QFile::exists(m_answer));
        const QString remembered = Path(QStringLiteral("reports/*.")) + entry;
        QCOMPARE(settings.value(key).toString(), remembered);
        // Each kind keeps its own folder.
        for (const char* other : {"HTM", "TXT", "MDB"}) {
            if (entry != QLatin1String(other))
                QVERIFY(!settings.contains(QStringLiteral("Save Path/") + QLatin1String(other)));
        }

        // The next dialog starts there; a cancelled one changes nothing.
        m_answer.clear();
        QCOMPARE(Run(command), QStringList{});
        QCOMPARE(m_asked.size(), 3);
        QCOMPARE(m_asked[0].m_strInitial, QString());
        QCOMPARE(m_asked[2].m_strInitial, remembered);
        QCOMPARE(m_asked[2].m_strFilters, filters);
        QCOMPARE(m_asked[2].m_strSuffix, extension);
        QCOMPARE(settings.value(key).toString(), remembered);

        // A path without a folder leaves the folder remembered before.
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_pDir->path()));
        m_answer = file;
        QCOMPARE(Run(command, {button}).size(), 1);
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY(QFile::exists(Path(file)));
        QCOMPARE(settings.value(key).toString(), remembered);
        QVERIFY(m_errors.isEmpty());
    }

    void theRealDialogStartsInTheRememberedFolder()
    {
        AddSample();
        QVERIFY(QDir(m_pDir->path()).mkpath(QStringLiteral("out")));
        Settings::SavePathTxt.Set(Path(QStringLiteral("out/*.TXT")));
        Commands()->SetAskPath(AskExportPath);
        QString directory;
        QStringList filters;
        CModalDriver driver([&](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            QVERIFY(dialog);
            directory = dialog->directory().absolutePath();
            filters = dialog->nameFilters();
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            // A bare name gets the dialog's extension.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("chosen"));
            static_cast<QDialog*>(dialog)->accept();   // QFileDialog::accept, which adds the suffix
        });
        QVERIFY(Registry().Execute(ID_EXPORT_TEXT_SELECTED));
        QCOMPARE(driver.m_nSteps, 1);
        QCOMPARE(directory, Path(QStringLiteral("out")));
        QCOMPARE(filters, (QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")}));
        const QString chosen = Path(QStringLiteral("out/chosen.txt"));
        QCOMPARE(driver.m_messages, QStringList{QStringLiteral("3 records added to %1").arg(chosen)});
        QVERIFY(QFile::exists(chosen));
    }

    void countsWhatWasWritten()
    {
        AddSample();
        m_answer = Path(QStringLiteral("marked.txt"));
        QCOMPARE(Run(ID_EXPORT_TEXT_SELECTED, {QMessageBox::Ok}), QStringList{QStringLiteral("3 records added to %1").arg(m_answer)});
        QCOMPARE(FileText(m_answer), QStringLiteral("1, taken.com, Not Available\r\n2, idle.com, Unknown\r\n"
                                                    "3, open.net, *AVAILABLE*\r\n"));

        m_answer = Path(QStringLiteral("free.txt"));
        QCOMPARE(Run(ID_EXPORT_TEXT_FREE, {QMessageBox::Ok}), QStringList{QStringLiteral("2 records added to %1").arg(m_answer)});
        QCOMPARE(FileText(m_answer), QStringLiteral("1, free.com\r\n2, open.net\r\n"));

        // The database counts rewritten rows as well as new ones.
        m_answer = Path(QStringLiteral("names.sqlite"));
        const QStringList added{QStringLiteral("3 records added to %1").arg(m_answer)};
        QCOMPARE(Run(ID_EXPORT_ACCESS, {QMessageBox::Ok}), added);
        QCOMPARE(Run(ID_EXPORT_ACCESS, {QMessageBox::Ok}), added);
        QVERIFY(m_errors.isEmpty());
    }

    void reportOffersTheBrowser()
    {
        AddSample();
        m_answer = Path(QStringLiteral("report.htm"));
        const QString question =
            QStringLiteral("Information has been saved in %1\r\n\r\nDo you wish to open it in your browser?").arg(m_answer);
        QCOMPARE(Run(ID_REPORT_FULL, {QMessageBox::No}), QStringList{question});
        QVERIFY(m_opened.isEmpty());
        QVERIFY(FileText(m_answer).contains(QLatin1String("<b>3</b></td>")));
        QVERIFY(FileText(m_answer).contains(QLatin1String("Registrar: Example")));

        QCOMPARE(Run(ID_REPORT_SUMMARY, {QMessageBox::Yes}), QStringList{question});
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(m_answer)});
        QVERIFY(FileText(m_answer).contains(QLatin1String("Already Registered")));
        QVERIFY(m_errors.isEmpty());

        // A browser that cannot be started is said so, once.
        m_bBrowserStarts = false;
        QCOMPARE(Run(ID_REPORT_SUMMARY, {QMessageBox::Yes}), QStringList{question});
        QCOMPARE(m_errors, QStringList{QStringLiteral("No web browser could be started to open %1.").arg(m_answer)});
    }

    void failureIsShownOnceWithItsReason_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");
        const QString unwritable = QStringLiteral("Telvaro could not write \"%1\": No such file or directory.");
        QTest::newRow("full report") << ID_REPORT_FULL.m_nValue << QStringLiteral("gone/r.htm") << unwritable;
        QTest::newRow("summary report") << ID_REPORT_SUMMARY.m_nValue << QStringLiteral("gone/r.htm") << unwritable;
        QTest::newRow("text, marked") << ID_EXPORT_TEXT_SELECTED.m_nValue << QStringLiteral("gone/t.txt") << unwritable;
        QTest::newRow("text, free") << ID_EXPORT_TEXT_FREE.m_nValue << QStringLiteral("gone/t.txt") << unwritable;
        QTest::newRow("database") << ID_EXPORT_ACCESS.m_nValue << QStringLiteral("gone/n.sqlite")
                                  << QStringLiteral("Error: Creating Database\r\nunable to open database file");
    }

    void failureIsShownOnceWithItsReason()
    {
        QFETCH(int, id);
        QFETCH(QString, file);
        QFETCH(QString, error);
        AddSample();
        m_answer = Path(file);
        // No count, no browser question: only the reason.
        QCOMPARE(Run(CommandId{id}), QStringList{});
        QCOMPARE(m_errors, QStringList{error.contains(QLatin1String("%1")) ? error.arg(m_answer) : error});
        QVERIFY(m_opened.isEmpty());
        QVERIFY(!QFile::exists(m_answer));
    }

    void databaseThatIsNotOneIsLeftAlone()
    {
        AddSample();
        m_answer = Path(QStringLiteral("notes.db"));
        WriteFile(m_answer, "my notes\n");
        QCOMPARE(Run(ID_EXPORT_ACCESS), QStringList{});
        QCOMPARE(m_errors.size(), 1);
        QVERIFY2(m_errors[0].startsWith(QLatin1String("Error: Creating Database\r\n")), qPrintable(m_errors[0]));
        QCOMPARE(FileText(m_answer), QStringLiteral("my notes\n"));
    }
};

TELVARO_GUI_TEST_MAIN(ExportCommandsTest)
#include "ExportCommandsTest.moc"
