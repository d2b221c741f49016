#pragma once

#include <QByteArrayView>

class CDomainDoc;

// The row Find selects for text: the first name equal to it without regard
// to case, else the first name that begins with it (case ignored as well);
// -1 when neither. An empty text is a prefix of every name.
int FindEntry(const CDomainDoc& doc, QByteArrayView text);
