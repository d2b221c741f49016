#pragma once

#include <QByteArray>

#include <cstdint>

class CDomainInfo;

// "Strip Output": whether whois answers are cleaned of registry boilerplate.
// Read with "Max Entries" when a new document is made; the Options dialog
// changes it.
extern int g_bStripOutput;

// The worker's text steps before cleanup: every "\n" becomes "\r\n" (so a
// received CR LF becomes CR CR LF), then the .com registry's advertising
// sentence is removed wherever it stands.
void ConvertLineEnds(QByteArray& text);
void RemoveAdvertising(QByteArray& text);

// Drops the legal preamble and the fixed boilerplate blocks of the
// registries, then leading white space. CleanWhoisAnswer(record) does
// nothing when g_bStripOutput is 0.
void CleanWhoisText(QByteArray& text);
void CleanWhoisAnswer(CDomainInfo& record);

// The status that an answer (or error message) text means: taken, free, or
// the fallback; then the error escalation 5, 6, 7, 8, 4 over prevStatus.
uint8_t ClassifyText(const QByteArray& text, uint8_t prevStatus, uint8_t fallback);
// Sets record.m_nStatus from record.m_strWhois and record.m_nPrevStatus.
void ClassifyAnswer(CDomainInfo& record, uint8_t fallback);
