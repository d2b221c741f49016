#pragma once

#include "model/OleDateTime.h"

#include <QString>

// A lookup date as ISO 8601 local time, "2024-03-05T14:07:09"; empty when
// the record has no valid date.
QString IsoDateText(const COleDateTime& date);

// The date value itself as ISO 8601, whatever its status says, as the
// database stores it: a never-checked record (value 0) is
// "1899-12-30T00:00:00", and so is a value that is no date at all.
QString IsoDateValueText(const COleDateTime& date);
