#pragma once

#include "export/JsonText.h"

#include <QByteArray>

class CDomainInfo;
class CRulePack;

// One record as the command line's JSON shows it: index (1-based place in
// the list), name, status, status_text, checked (the automation date as a
// number, or null), selected, dns (the address text), confirmed (whether DNS
// confirmed a free name: true, false, or null when not free or not asked),
// whois, rule: the rule of pack that decides the record's answer (null when
// none does), and channel: "whois"
// or "rdap" (null before the first lookup). 8-bit texts are read as Latin-1.
// Keys in alphabetical order, as a QJsonObject would hold them.
void AppendDomainRecordJson(QByteArray& out, const CDomainInfo& record, int index, const CRulePack& pack);
// That object's text alone, with the rule pack in force.
QByteArray DomainRecordJsonText(const CDomainInfo& record, int index);
