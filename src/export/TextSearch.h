#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

// Byte searches for the report's text steps, which run over the answers of
// up to 65535 records: general-purpose searches (Qt's, memmem) that set up
// their tables for every call cost more there than the search itself.

// A fixed text looked for again and again: its skip table is built once.
class CTextMarker
{
public:
    explicit CTextMarker(QByteArrayView marker);

    // The first position of the marker in text, or -1.
    qsizetype In(QByteArrayView text) const;
    qsizetype Size() const { return m_marker.size(); }

private:
    QByteArrayView m_marker;
    std::boyer_moore_horspool_searcher<const char*> m_searcher;
};

// The first position of a short marker (a few bytes) in text, or -1.
qsizetype FindShortText(QByteArrayView text, QByteArrayView marker);

// Replaces every occurrence of the short marker from, left to right, without
// looking at what was put in: "aaa" with "aa" -> "a" gives "aa".
void ReplaceShortText(QByteArray& text, QByteArrayView from, QByteArrayView to);
