#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Appends 8-bit text with & < > " written as entities, so that a whois
// answer (a stranger's text) is shown in a report and never read as markup.
void AppendHtmlEscaped(QByteArray& out, QByteArrayView text);
