#pragma once

#include "base/Result.h"

#include <QString>

#include <functional>

// How the core tells the user about a problem without knowing whether a
// window, a terminal or a test is listening. The GUI installs a message box,
// the command line prints to stderr; the default is the Qt warning log.
using UserMessageHandler = std::function<void(const QString& text)>;

// Installs handler and returns the previous one.
UserMessageHandler SetUserMessageHandler(UserMessageHandler handler);

void ReportUserError(const QString& text);

// Tells the user what a result says, failure or warning, if anything; true
// when it succeeded.
bool ReportResult(const CResult& result);
