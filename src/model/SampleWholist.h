#pragma once

#include "base/Result.h"

#include <QString>

// Full path of wholist.txt, the sample TLD import file, in the program folder.
QString GetSampleWholistPath();

// Puts the shipped wholist.txt into the program folder when no file of that
// name is there; a file that is there may be the user's own and is never
// touched. Written atomically; fails with the reason when it cannot be.
CResult InstallSampleWholist();
