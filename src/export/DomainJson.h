#pragma once

#include "export/JsonText.h"

#include <QJsonObject>

class CDomainInfo;

// One record as the command line's JSON shows it: index (1-based place in
// the list), name, status, status_text, checked (the automation date as a
// number, or null), selected, dns, whois. 8-bit texts are read as Latin-1.
QJsonObject DomainRecordToJson(const CDomainInfo& record, int index);
