#include "widgets/ShellResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitOnce()
{
    Q_INIT_RESOURCE(shell);
}

void InitShellResources()
{
    static const bool done = (InitOnce(), true);
    Q_UNUSED(done);
}
