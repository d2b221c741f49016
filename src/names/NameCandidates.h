#pragma once

#include <QByteArrayList>
#include <QByteArrayView>

// The names the "Domain Names" dialog offers to the document, in order: each
// token of text (split at kNameSeparators) as it is when it already ends in a
// TLD of the table, otherwise the token + "." + each of selectedTLDs. Nothing
// is lower-cased or filtered here; the document refuses invalid names,
// repeats and names beyond its limit.
QByteArrayList BuildNameCandidates(QByteArrayView text, const QByteArrayList& selectedTLDs);

// The same with the ticked rows of g_tldTable.
QByteArrayList BuildNameCandidates(QByteArrayView text);
