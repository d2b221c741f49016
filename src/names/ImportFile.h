#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// Asks for a text file to import, starting in the remembered import folder
// (or startFolder when given), and remembers the folder of the file chosen.
// offeredFile, when that folder holds it, is chosen already. Empty when the
// user cancels.
QString ChooseImportFile(QWidget* parent, const QString& startFolder = {}, const QString& offeredFile = {});

// Reads the whole file as 8-bit text. When it cannot be read, the user is
// told why and text is left alone.
bool ReadImportFile(QWidget* parent, const QString& path, QByteArray& text);
