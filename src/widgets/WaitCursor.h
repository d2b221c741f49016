#pragma once

#include <QApplication>
#include <QCursor>

// Shows the busy cursor for as long as it lives, so that no early return
// or exception can leave it on.
class CWaitCursor
{
public:
    CWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
