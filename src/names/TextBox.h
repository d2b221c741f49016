#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QPlainTextEdit;
class QWidget;

// The multi-line boxes of the name dialogs: they take Return as a line
// break, while Tab still moves on to the next control.
QPlainTextEdit* CreateTextBox(QWidget* parent);

// The box's text as 8-bit bytes with CR LF line ends, the form the word
// files and the name splitting expect.
QByteArray GetBoxText(const QPlainTextEdit* box);
void SetBoxText(QPlainTextEdit* box, QByteArrayView text);
