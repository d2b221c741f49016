#pragma once

#include "verdict/DomainStatus.h"

#include <QByteArray>

#include <cstdint>

// The worker's text steps before cleanup: every "\n" becomes "\r\n" (so a
// received CR LF becomes CR CR LF), then the .com registry's advertising
// sentence is removed wherever it stands.
void ConvertLineEnds(QByteArray& text);
void RemoveAdvertising(QByteArray& text);

// Drops the legal preamble and the fixed boilerplate blocks of the
// registries, then leading white space.
void CleanWhoisText(QByteArray& text);

// The status that an answer (or error message) text means: taken, free, or
// the fallback; then the error escalation 5, 6, 7, 8, 4 over prevStatus.
uint8_t ClassifyText(const QByteArray& text, uint8_t prevStatus, uint8_t fallback);
