#pragma once

#include "DocChangeLog.h"

#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "widgets/HelpWindow.h"
#include "base/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <functional>

// Plays the user of modal windows while a command runs: each new dialog on
// top is handed to step once, and every message box is read and closed.
// Whatever step leaves open is closed after it, so a failed check inside a
// step cannot leave the test waiting on a window forever.
class CModalDriver : public QObject
{
public:
    explicit CModalDriver(std::function<void(QWidget*)> step) : m_step(std::move(step))
    {
        connect(&m_timer, &QTimer::timeout, this, &CModalDriver::Poll);
        m_timer.start(5);
    }

    // Texts of the message boxes seen, in order.
    QStringList m_messages;
    int m_nSteps = 0;

private:
    void Poll()
    {
        QWidget* top = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
            m_messages << box->text();
            box->accept();
            return;
        }
        if (!top || m_driven.contains(top))
            return;
        m_driven.append(top);
        ++m_nSteps;
        // A timer is not re-entered while its own slot runs, so the step
        // gets a timer of its own and this one stays free to answer the
        // windows the step opens.
        QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(top)] {
            m_step(window);
            if (window && window->isVisible())
                window->close();
        });
    }

    std::function<void(QWidget*)> m_step;
    QTimer m_timer;
    QList<QPointer<QWidget>> m_driven;
};

// A fresh settings store, program folder and default TLD table (only COM
// ticked), and an empty list whose update hints are recorded.
struct CNameTestState
{
    CNameTestState()
    {
        QSettings().clear();
        QDir(GetProgramFolder()).removeRecursively();
        BuildDefaultTLDTable();
        m_doc.OnNewDocument();
    }

    QByteArrayList Names() const
    {
        QByteArrayList names;
        for (const auto& r : m_doc.Records())
            names << r->m_strName;
        return names;
    }

    CDomainDoc m_doc;
    CDocChangeLog m_changes{m_doc};
};

inline void WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// The help windows on the screen.
inline QList<CHelpWindow*> ShownHelpWindows()
{
    QList<CHelpWindow*> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<CHelpWindow*>(window); help && help->isVisible())
            shown << help;
    }
    return shown;
}

// F1 in a name dialog, which runs modal: the help on adding names shows in
// a window the dialog does not block, and F1 again reuses that window.
inline void VerifyF1ShowsTheHelpOnAddingNames(QDialog* dialog)
{
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(QGuiApplication::modalWindow(), dialog->windowHandle());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(ShownHelpWindows().size(), 1);
    CHelpWindow* help = ShownHelpWindows().first();
    QCOMPARE(help->CurrentTopic(), QStringLiteral("adding-names.htm"));
    // What Qt asks before it lets a window take input while another is modal.
    QVERIFY(dialog->windowHandle()->isAncestorOf(help->windowHandle(), QWindow::IncludeTransients));
    QVERIFY(QTest::qWaitForWindowActive(help));

    help->Browser()->setSource(QUrl(QStringLiteral("qrc:/help/index.htm")));
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(ShownHelpWindows(), QList<CHelpWindow*>{help});
    QCOMPARE(help->CurrentTopic(), QStringLiteral("adding-names.htm"));
}
