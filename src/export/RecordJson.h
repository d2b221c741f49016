#pragma once

#include <QJsonObject>

class CDomainInfo;

// One record as the JSON object that `telvaro-cli list --json` prints and
// the JSON export writes: index (1-based row), name, status, status_text,
// checked (OLE date or null), selected, dns, whois. 8-bit texts are read as
// Latin-1.
QJsonObject RecordToJson(const CDomainInfo& record, int index);
