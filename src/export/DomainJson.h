#pragma once

#include <QByteArray>
#include <QJsonObject>

class CDomainInfo;

// One record as the command line's JSON shows it: index (1-based place in
// the list), name, status, status_text, checked (the automation date as a
// number, or null), selected, dns, whois. 8-bit texts are read as Latin-1.
QJsonObject DomainRecordToJson(const CDomainInfo& record, int index);

// Compact UTF-8 JSON text of an object, with every control character
// escaped: besides what JSON requires, DEL and the C1 controls, which a
// terminal could otherwise take as commands when a whois text is printed.
QByteArray JsonObjectText(const QJsonObject& object);
