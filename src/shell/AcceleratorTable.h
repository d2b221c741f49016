#pragma once

#include <QKeySequence>
#include <QList>

// The program's shortcut keys, by command. They go on the registry's actions,
// so a command's keys work whoever registered it.
QList<QKeySequence> GetAccelerators(int id);
