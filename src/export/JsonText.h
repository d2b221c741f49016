#pragma once

#include <QByteArray>
#include <QJsonObject>

// Compact UTF-8 JSON text of an object, with every control character
// escaped: besides what JSON requires, DEL and the C1 controls, which a
// terminal could otherwise take as commands when a whois text is printed.
// Qt's own writer leaves those as they are, so this one writes the text.
QByteArray JsonObjectText(const QJsonObject& object);
// The same text, appended to out.
void AppendJsonObject(QByteArray& out, const QJsonObject& object);
// One JSON string or number, written the same way, for writers that build
// their objects straight into out.
void AppendJsonString(QByteArray& out, QStringView text);
// 8-bit text read as Latin-1, without a QString in between.
void AppendJsonLatin1(QByteArray& out, QByteArrayView text);
void AppendJsonNumber(QByteArray& out, double d);
