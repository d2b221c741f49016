#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

// Every name followed by CR LF, the last one too: how lists of names go to
// the clipboard.
QByteArray JoinLines(const QByteArrayList& names);

// Puts 8-bit text on the clipboard as plain text. Where there is no
// clipboard nothing happens and nobody is told, as with any failed copy.
void SetClipboardText(QByteArrayView text);
