#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// Finds many phrases in one pass over an answer, ignoring ASCII letter case
// and treating any run of blanks as one blank. Line breaks are tokens of
// their own, so a phrase can be tied to the start or end of a line; blanks
// next to a line break are dropped, and so are empty lines.
//
// Each phrase carries an id; a scan reports the smallest id found, so ids
// are priorities. An "end" phrase stops the scan: the text from the start
// of its line on does not count.
//
// Built once, then only read: safe to scan from many threads at once.
class CPhraseMatcher
{
public:
    static constexpr uint16_t kNoMatch = 0x7FFF;
    static constexpr char kBlank = ' ';
    static constexpr char kBreak = '\n';

    struct CPhrase
    {
        // Lower-case bytes, kBlank for a blank, kBreak for a line break.
        QByteArray m_strTokens;
        uint16_t m_nId = 0;
        bool m_bEnd = false;
    };

    struct CScan
    {
        uint16_t m_nBest = kNoMatch;
        // How many bytes of the text counted: up to the line of an end
        // phrase, or all of them.
        qsizetype m_nCounted = 0;
    };

    // The tokens of a phrase as written: trimmed, lower case, blanks folded,
    // a line break before (lineStart) and after (lineEnd) when asked.
    static QByteArray Tokens(QByteArrayView phrase, bool lineStart, bool lineEnd);

    // False with error when the phrases need more states than a table holds.
    bool Build(const std::vector<CPhrase>& phrases, QString* error);
    CScan Scan(QByteArrayView text) const;

private:
    // Token classes: a blank, a line break, any byte no phrase holds, then
    // one class per byte that some phrase holds.
    enum : uint8_t { kClassBlank, kClassBreak, kClassOther, kClassFirstLiteral };
    static constexpr uint16_t kEndBit = 0x8000;

    std::array<uint8_t, 256> m_classOf{};
    // One row per state, 1 << m_nShift entries wide: the next state for each
    // class, and in the row's last entry the state's action (the smallest id
    // it completes, or kNoMatch, plus kEndBit).
    std::vector<uint16_t> m_table;
    unsigned m_nShift = 0;
};
