#pragma once

#include "names/ConstructOptions.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <functional>

// Builds the candidate names of the Construct Names dialog from the main
// keyword and the texts of the two pad-word boxes. The order is part of the
// behaviour: the bare keyword, then, each with every TLD in turn, the
// keyword, start entry + keyword, keyword + end entry, and start entry +
// keyword + end entry (start entries outer). Nothing is filtered here; the
// document refuses invalid names, repeats and names beyond its limit.
class CNameConstructor
{
public:
    // keyword is trimmed; the words are split at kNameSeparators, lose their
    // dots, and a word equal to the keyword (ignoring case) is dropped.
    CNameConstructor(QByteArrayView keyword, QByteArrayView startWords, QByteArrayView endWords,
                     const CConstructOptions& options);

    const QByteArray& GetKeyword() const { return m_strKeyword; }
    // Each start word, then "word-" when dashes are on; empty when start
    // words are switched off.
    const QByteArrayList& GetStartEntries() const { return m_arrStart; }
    // Each end word, then "-word" when dashes are on; empty when end words
    // are switched off.
    const QByteArrayList& GetEndEntries() const { return m_arrEnd; }

    // How many names BuildNames gives for tldCount TLDs; saturates instead of
    // overflowing.
    qint64 GetNameCount(qsizetype tldCount) const;

    // Hands every name, in order, to offer until offer returns false; true
    // when all were offered. The view is valid only during the call. Lets a
    // caller stop once the document is full instead of first building a list
    // that huge word lists can make larger than memory.
    bool ForEachName(const QByteArrayList& selectedTLDs,
                     const std::function<bool(QByteArrayView)>& offer) const;

    // Every name, in order.
    QByteArrayList BuildNames(const QByteArrayList& selectedTLDs) const;
    // The same with the ticked rows of g_tldTable.
    QByteArrayList BuildNames() const;

private:
    QByteArray m_strKeyword;
    QByteArrayList m_arrStart;
    QByteArrayList m_arrEnd;
    bool m_bBoth;
};
