#pragma once

#include <QByteArrayList>
#include <QByteArrayView>

// What separates the names typed into the name boxes and the words of the
// pad-word boxes when they are used. A tab is deliberately not among them.
inline constexpr char kNameSeparators[] = " ,\r\n;";

// Splits text at every run of the bytes in separators. There are never empty
// tokens; every other byte, NUL included, belongs to a token.
QByteArrayList SplitTokens(QByteArrayView text, QByteArrayView separators);
