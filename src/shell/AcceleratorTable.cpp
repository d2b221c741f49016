#include "shell/AcceleratorTable.h"

#include "shell/CommandIds.h"

#include <iterator>

namespace {

struct Accelerator
{
    int m_nId;
    QKeyCombination m_keys;
};

const Accelerator kAccelerators[] = {
    {ID_ADD_DOMAINS, Qt::CTRL | Qt::Key_A},
    {ID_COPY_ALL, Qt::CTRL | Qt::Key_C},
    {ID_COPY_ALL, Qt::CTRL | Qt::Key_Insert},
    {ID_FIND, Qt::CTRL | Qt::Key_F},
    {ID_FIND, QKeyCombination(Qt::Key_F3)},
    {ID_CONSTRUCT_NAMES, Qt::CTRL | Qt::Key_K},
    {ID_FILE_NEW, Qt::CTRL | Qt::Key_N},
    {ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
    {ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    {ID_WIZARD, Qt::CTRL | Qt::Key_W},
    {ID_HELP, QKeyCombination(Qt::Key_F1)},
    {ID_CHECK_AVAILABILITY, QKeyCombination(Qt::Key_F4)},
    {ID_LOOKUP_SELECTED, QKeyCombination(Qt::Key_F5)},
    {ID_NEXT_PANE, QKeyCombination(Qt::Key_F6)},
    {ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
    {ID_SEARCH_RECORDS, QKeyCombination(Qt::Key_F8)},
    {ID_BROWSE_WEBSITE, QKeyCombination(Qt::Key_F9)},
    // Linux users expect Ctrl+Q to quit.
    {ID_APP_EXIT, Qt::CTRL | Qt::Key_Q},
};

}

QList<QKeySequence> GetAccelerators(int id)
{
    QList<QKeySequence> keys;
    for (const Accelerator& a : kAccelerators) {
        if (a.m_nId == id)
            keys.append(QKeySequence(a.m_keys));
    }
    return keys;
}
