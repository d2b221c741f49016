#include "FrameTestSupport.h"
#include "FrameUnderTest.h"
#include "GuiTestMain.h"
#include "NameDialogsSupport.h"

#include "base/Settings.h"
#include "base/UserMessage.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "shell/AutostartEntry.h"
#include "shell/MainFrame.h"
#include "shell/OptionsDlg.h"
#include "shell/RecentFileList.h"
#include "widgets/IntSpinEdit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <memory>

// The Options dialog, what its OK changes at once and after a restart, and
// the autostart entry of "Run at login".
class OptionsDialogTest : public QObject
{
    Q_OBJECT

private:
    CFrameUnderTest m_run;

    void Restart() { m_run.Restart(); }
    CLookupScheduler& Scheduler() const { return *m_run.m_pFrame->GetScheduler(); }

    static CIntSpinEdit* Number(QWidget* dialog, const char* name)
    {
        return dialog->findChild<CIntSpinEdit*>(QString::fromLatin1(name));
    }
    static QCheckBox* Check(QWidget* dialog, const char* name)
    {
        return dialog->findChild<QCheckBox*>(QString::fromLatin1(name));
    }
    static void Type(QWidget* dialog, const char* name, const QString& text)
    {
        CIntSpinEdit* box = Number(dialog, name);
        QVERIFY(box);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
    }
    static void ClickOk(QWidget* dialog)
    {
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    // Runs Options... from the Lookup menu's command, with step playing
    // the user of the dialog.
    QStringList RunOptions(const std::function<void(QDialog*)>& step)
    {
        CModalDriver driver([&](QWidget* window) {
            if (auto* dialog = qobject_cast<COptionsDlg*>(window))
                step(dialog);
        });
        [&] { QVERIFY(m_run.m_pFrame->Registry()->Execute(ID_OPTIONS)); }();
        return driver.m_messages;
    }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        CAutostartEntry::Remove();
        m_run.Start();
    }

    void cleanup() { m_run.Stop(); }

    void theDialogShowsTheStoredValues()
    {
        COptionsDlg fresh;
        QCOMPARE(fresh.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(Number(&fresh, "MaxConnections")->Value(), 5);
        QCOMPARE(Number(&fresh, "ConnectionInterval")->Value(), 2);
        QCOMPARE(Number(&fresh, "PrintLines")->Value(), 30);
        QCOMPARE(Number(&fresh, "MaxEntries")->Value(), 3000);
        QVERIFY(!Check(&fresh, "MinimizeToTray")->isChecked());
        QVERIFY(!Check(&fresh, "RunAtStartup")->isChecked());
        QVERIFY(Check(&fresh, "StripOutput")->isChecked());
        QCOMPARE(Check(&fresh, "RunAtStartup")->text(), QStringLiteral("&Run at login"));
        fresh.show();
        QVERIFY(Check(&fresh, "SixteenColorToolbar")->isHidden());
        QCOMPARE(Number(&fresh, "MaxConnections")->Minimum(), 1);
        QCOMPARE(Number(&fresh, "MaxConnections")->Maximum(), 40);
        QCOMPARE(Number(&fresh, "MaxEntries")->Maximum(), 64000);

        Settings::PrintLines.Set(45);
        Settings::SixteenColorToolbar.Set(1);
        Settings::StripOutput.Set(0);
        COptionsDlg stored;
        QCOMPARE(Number(&stored, "PrintLines")->Value(), 45);
        QVERIFY(Check(&stored, "SixteenColorToolbar")->isChecked());
        QVERIFY(!Check(&stored, "StripOutput")->isChecked());
    }

    void okStoresWhatWasTypedEvenOutsideTheArrowsRange()
    {
        RunOptions([](QDialog* dialog) {
            Type(dialog, "PrintLines", QStringLiteral("500"));
            Type(dialog, "MaxEntries", QStringLiteral(" 100 "));
            Check(dialog, "MinimizeToTray")->click();
            Check(dialog, "StripOutput")->click();
            ClickOk(dialog);
        });
        QCOMPARE(Settings::PrintLines.Get(), 500);
        QCOMPARE(Settings::MaxEntries.Get(), 100);
        QCOMPARE(Settings::MinimizeToTray.Get(), 1);
        QCOMPARE(Settings::StripOutput.Get(), 0);
        QCOMPARE(Settings::SixteenColorToolbar.Get(), 0);   // written, as it was
        QVERIFY(QSettings().contains(QStringLiteral("Settings/16 Color Toolbar")));
        // The entry limit and the cleanup reach the open list at once.
        QCOMPARE(m_run.m_pDoc->m_nMaxEntries, 100);
        QVERIFY(!Scheduler().Options().m_bStripOutput);
    }

    void aNonNumberIsRefusedAndTheDialogStays()
    {
        bool stillOpen = false;
        const QStringList messages = RunOptions([&](QDialog* dialog) {
            Type(dialog, "ConnectionInterval", QStringLiteral("2x"));
            Type(dialog, "MaxConnections", QStringLiteral("7"));
            ClickOk(dialog);
            stillOpen = dialog->isVisible();
            CIntSpinEdit* interval = Number(dialog, "ConnectionInterval");
            QVERIFY(dialog->focusWidget() == interval || dialog->focusWidget() == interval->lineEdit());
            dialog->reject();
        });
        QCOMPARE(messages, QStringList{QStringLiteral("Please enter an integer.")});
        QVERIFY(stillOpen);
        QCOMPARE(Settings::MaxConnections.Get(), 5);   // Cancel stored nothing
        QVERIFY(!QSettings().contains(QStringLiteral("Settings/Max Connections")));

        for (const char* text : {"", "-", "1.5", "99999999999", "0x10", "12 3"})
            QVERIFY2(!CIntSpinEdit::ParseInteger(QString::fromLatin1(text)), text);
        QCOMPARE(CIntSpinEdit::ParseInteger(QStringLiteral("\t-12 ")), -12);
        QCOMPARE(CIntSpinEdit::ParseInteger(QStringLiteral("+40")), 40);
    }

    void arrowsStayWithinTheRange()
    {
        COptionsDlg dialog;
        CIntSpinEdit* connections = Number(&dialog, "MaxConnections");
        connections->SetValue(100);
        connections->stepBy(1);
        QCOMPARE(connections->Value(), 40);
        connections->SetValue(-3);
        connections->stepBy(1);
        QCOMPARE(connections->Value(), 2);
        connections->lineEdit()->setText(QStringLiteral("abc"));
        connections->stepBy(-1);
        QCOMPARE(connections->Value(), 1);
    }

    void hundredConnectionsAreFortyUntilARestart()
    {
        RunOptions([](QDialog* dialog) {
            Type(dialog, "MaxConnections", QStringLiteral("100"));
            Type(dialog, "ConnectionInterval", QStringLiteral("1"));
            ClickOk(dialog);
        });
        QCOMPARE(Settings::MaxConnections.Get(), 100);
        QCOMPARE(Settings::ConnectionInterval.Get(), 1);
        QCOMPARE(Scheduler().Options().m_nMaxConnections, 40);
        QCOMPARE(Scheduler().TimerIntervalMs(), 2000);

        Restart();
        QCOMPARE(Scheduler().Options().m_nMaxConnections, 100);
        QCOMPARE(Scheduler().TimerIntervalMs(), 1000);

        Settings::MaxConnections.Set(0);
        RunOptions([](QDialog* dialog) { ClickOk(dialog); });
        QCOMPARE(Scheduler().Options().m_nMaxConnections, 1);
        QCOMPARE(Settings::MaxConnections.Get(), 0);
    }

    void runAtLoginWritesTheEntryAtOnceAndCancelKeepsIt()
    {
        const QString program = QStringLiteral("/opt/Telvaro $HOME/bin/tel\"varo");
        const auto clickRunAtLogin = [&](QDialog* dialog) {
            static_cast<COptionsDlg*>(dialog)->SetProgramPath(program);
            Check(dialog, "RunAtStartup")->click();
            dialog->reject();
        };
        QVERIFY(RunOptions(clickRunAtLogin).isEmpty());
        QVERIFY(CAutostartEntry::Exists());
        QCOMPARE(Settings::RunAtStartup.Get(), 1);
        QFile entry(CAutostartEntry::Path());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY2(text.contains("\nExec=\"/opt/Telvaro \\\\$HOME/bin/tel\\\\\"varo\"\n"), text.constData());
        QVERIFY(text.contains("\nType=Application\n"));
        QVERIFY(CAutostartEntry::Path().endsWith(QLatin1String("/autostart/telvaro.desktop")));
        QVERIFY(CAutostartEntry::Path().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));

        // The dialog opens with the box ticked; clearing it removes the entry.
        RunOptions([&](QDialog* dialog) {
            QVERIFY(Check(dialog, "RunAtStartup")->isChecked());
            clickRunAtLogin(dialog);
        });
        QVERIFY(!CAutostartEntry::Exists());
        QCOMPARE(Settings::RunAtStartup.Get(), 0);
    }

    void anEntryThatCannotBeWrittenIsReported()
    {
        // A file where the autostart folder should be.
        const QString folder = CAutostartEntry::Path().section(QLatin1Char('/'), 0, -2);
        QDir(folder).removeRecursively();
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QStringList messages = RunOptions([](QDialog* dialog) {
            Check(dialog, "RunAtStartup")->click();
            dialog->reject();
        });
        QFile::remove(folder);
        QCOMPARE(messages, QStringList{QStringLiteral("Error creating Shortcut")});
        QCOMPARE(Settings::RunAtStartup.Get(), 1);
    }
};

TELVARO_GUI_TEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
