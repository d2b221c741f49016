#pragma once

#include <QByteArrayList>
#include <QString>

class CCliArgs;
class CCliDocument;

// What add and construct share: which TLDs bare names take, and offering
// the names to the document as the name dialogs do.

// The table's own texts for --tld a,b,... (letter case as stored), or the
// ticked rows when the option is absent.
QByteArrayList TLDsFromOption(const CCliArgs& args);

// Adds candidates to the document; prints how many were added, and on
// stderr what a full list left out.
int OfferNames(CCliDocument& file, const QByteArrayList& candidates);
