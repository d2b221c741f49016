#pragma once

#include "TestSupport.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "lookup/LookupScheduler.h"
#include "model/TLDTable.h"
#include "names/ImportWhoisDlg.h"
#include "names/TLDCheckListBox.h"
#include "names/TLDSetupDlg.h"
#include "shell/MainFrame.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/TLDListCtrl.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>

// What a user does in the TLD setup and Add Names dialogs and in the list,
// for the tests of a first run.

// Picks the row of tld in the setup dialog's list and types server into
// the server box, as the user would.
inline void PointRowAt(CTLDSetupDlg* dlg, const QByteArray& tld, const std::string& server)
{
    const int row = int(g_tldTable.IndexOf(g_tldTable.FindRow(tld)));
    QVERIFY(row >= 0);
    CTLDListCtrl* list = dlg->ListCtrl();
    const QModelIndex index = list->model()->index(row, 1);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QCoreApplication::processEvents();
    auto* box = dlg->findChild<QLineEdit*>(QStringLiteral("server"));
    QCOMPARE(dlg->findChild<QLineEdit*>(QStringLiteral("tld"))->text(), QString::fromLatin1(tld));
    box->selectAll();
    QTest::keyClicks(box, QString::fromStdString(server));
}

inline void Tick(CTLDCheckListBox* list, const QByteArray& tld, bool ticked)
{
    const int row = int(g_tldTable.IndexOf(g_tldTable.FindRow(tld)));
    QVERIFY(row >= 0 && row < list->count());
    list->setCurrentRow(row);
    if (list->GetCheck(row) != ticked)
        QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(list->GetCheck(row), ticked);
}

// Takes the file the import offers (the sample) in its file dialog, and
// presses Import in the import dialog; false for any other window.
inline bool AcceptSampleImport(QWidget* window)
{
    if (auto* files = qobject_cast<QFileDialog*>(window)) {
        QTest::keyClick(files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
        return true;
    }
    if (auto* import = qobject_cast<CImportWhoisDlg*>(window)) {
        QTest::mouseClick(import->findChild<QPushButton*>(QStringLiteral("import")), Qt::LeftButton);
        return true;
    }
    return false;
}

// Ticks the rows in the list with the space key, runs Lookup Selected and
// waits until no lookup is busy.
inline void TickAndLookUp(CMainFrame* frame, std::initializer_list<int> rows)
{
    CDomainListCtrl* list = frame->GetView()->GetListCtrl();
    for (int row : rows) {
        list->HighlightItem(row);
        QTest::keyClick(list, Qt::Key_Space);
    }
    CCommandRegistry& registry = *frame->Registry();
    registry.UpdateCommandUI();
    QVERIFY(registry.Execute(ID_LOOKUP_SELECTED));
    CLookupScheduler* scheduler = frame->GetScheduler();
    QVERIFY(ProcessEventsUntil([&] {
        scheduler->OnTimer();
        return !scheduler->IsBusy();
    }));
}
