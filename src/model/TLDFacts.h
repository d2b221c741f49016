#pragma once

#include "model/TLDFact.h"
#include "base/TextCompare.h"

#include <QByteArrayView>
#include <QList>

#include <unordered_map>
#include <vector>

// Today's TLDs as shipped with Telvaro (resources/tld/tlds.tsv): per TLD its
// whois server, RDAP bases, sample names and kind. Immutable once built, so
// one instance may be read from any number of threads.
class CTLDFacts
{
public:
    // The snapshot compiled into the program, parsed on first use (from
    // whichever thread comes first) and kept until exit.
    static const CTLDFacts& Shipped();

    // Builds facts from snapshot text: '#' lines and empty lines are notes;
    // every other line is one row of five tab-separated fields. A row that
    // does not fit, or repeats an earlier TLD, is skipped and its line
    // number kept.
    static CTLDFacts Parse(QByteArrayView text);

    // The facts of one TLD, given as "com", "COM" or ".com"; null when the
    // snapshot has none (multi-label suffixes such as co.uk have none).
    const CTLDFact* Find(QByteArrayView tld) const;
    // Find, and for a multi-label suffix (co.uk, .com.au) that has no row the
    // facts of its last label (uk, au). Their whois server and RDAP bases
    // usually answer for the suffix too; their sample names are not under it.
    const CTLDFact* FindOrLastLabel(QByteArrayView tld) const;

    // The rows in snapshot order.
    qsizetype GetSize() const { return qsizetype(m_arrFacts.size()); }
    const CTLDFact& GetAt(qsizetype i) const { return m_arrFacts[size_t(i)]; }
    // 1-based line numbers of the rows Parse skipped.
    const QList<int>& GetSkippedLines() const { return m_skippedLines; }

private:
    std::vector<CTLDFact> m_arrFacts;
    std::unordered_map<QByteArray, size_t, NoCaseHash, NoCaseEqual> m_index;
    QList<int> m_skippedLines;
};
