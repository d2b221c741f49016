#pragma once

#include <QByteArrayList>
#include <QString>

class CDomainDoc;

// What offering a batch of candidate names to the document came to.
struct CAddCount
{
    // Names the document took.
    qsizetype m_nAdded = 0;
    // Names the full list refused that it would otherwise have taken: valid,
    // not listed yet, each counted once.
    qsizetype m_nDropped = 0;
    // Candidates that were never made, and so never looked at, because
    // their maker stopped early; the caller sets it.
    qint64 m_nNotTried = 0;
};

// The most names the document takes: "Max Entries", capped by what its file
// can count.
int GetEntryLimit(const CDomainDoc& doc);

// Offers names to doc.AddDomain in order. Once the list is full nothing more
// is offered, but the rest are still looked at so that the user can be told
// how many a larger limit would have taken.
CAddCount AddCandidates(CDomainDoc& doc, const QByteArrayList& names);

// What to tell the user when names were dropped; empty when none were.
QString DescribeDroppedNames(const CAddCount& count, int limit);
