#pragma once

#include "base/Result.h"

#include <QString>

class CDomainPadList;

// "dpad.dp" in the program folder: the Domain Pad's names between runs, in
// exactly the archive form of the pad's list.
QString GetDomainPadPath();

// Reads the pad from path, replacing its names. A missing file leaves the
// pad empty and is no error. A file that cannot be read, or breaks off,
// keeps the names read before the damage; the file itself is moved aside
// (path + ".damaged", replacing an older one) so that writing the pad
// later cannot destroy what was not read, and the warning says so.
CResult LoadDomainPad(CDomainPadList& pad, const QString& path);

// Writes the pad to path atomically: on failure the previous file stays.
CResult SaveDomainPad(const CDomainPadList& pad, const QString& path);
