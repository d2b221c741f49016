#include "verdict/PhraseMatcher.h"

#include "base/TextCompare.h"

#include <algorithm>
#include <deque>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool IsBreak(char c)
{
    return c == '\r' || c == '\n';
}

}

QByteArray CPhraseMatcher::Tokens(QByteArrayView phrase, bool lineStart, bool lineEnd)
{
    QByteArray tokens;
    if (lineStart)
        tokens += kBreak;
    bool blank = false;
    for (char c : phrase) {
        if (IsBlank(c) || IsBreak(c)) {
            blank = true;
            continue;
        }
        if (blank && !tokens.isEmpty() && tokens.back() != kBreak)
            tokens += kBlank;
        blank = false;
        tokens += AsciiLower(c);
    }
    if (lineEnd)
        tokens += kBreak;
    return tokens;
}

bool CPhraseMatcher::Build(const std::vector<CPhrase>& phrases, QString* error)
{
    m_classOf.fill(kClassOther);
    for (char c : QByteArrayView(" \t\v\f"))
        m_classOf[uint8_t(c)] = kClassBlank;
    m_classOf[uint8_t('\r')] = kClassBreak;
    m_classOf[uint8_t('\n')] = kClassBreak;
    unsigned classes = kClassFirstLiteral;
    for (const CPhrase& p : phrases) {
        for (char c : p.m_strTokens) {
            if (m_classOf[uint8_t(c)] != kClassOther)
                continue;
            m_classOf[uint8_t(c)] = uint8_t(classes);
            if (c >= 'a' && c <= 'z')
                m_classOf[uint8_t(c - 'a' + 'A')] = uint8_t(classes);
            ++classes;
        }
    }
    // The row holds every class and the action entry.
    m_nShift = 1;
    while ((1u << m_nShift) < classes + 1)
        ++m_nShift;
    const unsigned width = 1u << m_nShift;
    const unsigned actionAt = width - 1;

    // The trie, with -1 for a missing edge while it grows.
    std::vector<int32_t> go(width, -1);
    std::vector<uint16_t> action(1, kNoMatch);
    auto classOfToken = [this](char c) {
        return c == kBlank ? unsigned(kClassBlank) : c == kBreak ? unsigned(kClassBreak) : unsigned(m_classOf[uint8_t(c)]);
    };
    for (const CPhrase& p : phrases) {
        size_t s = 0;
        for (char c : p.m_strTokens) {
            const size_t at = (s << m_nShift) + classOfToken(c);
            if (go[at] < 0) {
                if (action.size() >= kNoMatch) {
                    *error = QStringLiteral("the rules hold too many phrases for one server");
                    return false;
                }
                go[at] = int32_t(action.size());
                action.push_back(kNoMatch);
                go.resize(action.size() << m_nShift, -1);
            }
            s = size_t(go[at]);
        }
        if (p.m_bEnd)
            action[s] |= kEndBit;
        else
            action[s] = uint16_t((action[s] & kEndBit) | std::min<uint16_t>(action[s] & ~kEndBit, p.m_nId));
    }

    // Failure links, breadth first; each missing edge takes the edge of the
    // failure state, so a scan never backs up.
    const size_t states = action.size();
    m_table.assign(states << m_nShift, 0);
    std::vector<uint16_t> fail(states, 0);
    std::deque<size_t> queue;
    for (unsigned c = 0; c < classes; ++c) {
        const int32_t t = go[c];
        m_table[c] = uint16_t(t < 0 ? 0 : t);
        if (t > 0)
            queue.push_back(size_t(t));
    }
    while (!queue.empty()) {
        const size_t s = queue.front();
        queue.pop_front();
        const uint16_t f = fail[s];
        action[s] = uint16_t(((action[s] | action[f]) & kEndBit) |
                             std::min<uint16_t>(action[s] & ~kEndBit, action[f] & ~kEndBit));
        for (unsigned c = 0; c < classes; ++c) {
            const int32_t t = go[(s << m_nShift) + c];
            const uint16_t viaFail = m_table[(size_t(f) << m_nShift) + c];
            if (t < 0) {
                m_table[(s << m_nShift) + c] = viaFail;
                continue;
            }
            m_table[(s << m_nShift) + c] = uint16_t(t);
            fail[size_t(t)] = viaFail;
            queue.push_back(size_t(t));
        }
    }
    for (size_t s = 0; s < states; ++s)
        m_table[(s << m_nShift) + actionAt] = action[s];
    return true;
}

CPhraseMatcher::CScan CPhraseMatcher::Scan(QByteArrayView text) const
{
    CScan result;
    result.m_nCounted = text.size();
    if (m_table.empty())
        return result;
    const uint16_t* table = m_table.data();
    const unsigned shift = m_nShift;
    const size_t actionAt = (size_t(1) << shift) - 1;
    uint16_t best = kNoMatch;
    uint16_t bestAtLine = kNoMatch;
    qsizetype lineStart = 0;
    size_t s = 0;
    bool stopped = false;
    // One token into the automaton; true when an end phrase is complete.
    auto step = [&](unsigned cls) {
        s = table[(s << shift) + cls];
        const uint16_t a = table[(s << shift) + actionAt];
        if (a == kNoMatch)
            return false;
        if (a & kEndBit)
            return true;
        best = std::min<uint16_t>(best, a);
        return false;
    };

    // The text begins at a line start.
    step(kClassBreak);
    bool atLineStart = true;
    bool pendingBlank = false;
    const char* p = text.data();
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const uint8_t cls = m_classOf[uint8_t(p[i])];
        if (cls >= kClassOther) {
            if (pendingBlank) {
                pendingBlank = false;
                if (step(kClassBlank)) {
                    stopped = true;
                    break;
                }
            }
            atLineStart = false;
            if (step(cls)) {
                stopped = true;
                break;
            }
        } else if (cls == kClassBreak) {
            pendingBlank = false;
            if (!atLineStart) {
                atLineStart = true;
                if (step(kClassBreak)) {
                    stopped = true;
                    break;
                }
            }
            bestAtLine = best;
            lineStart = i + 1;
        } else if (!atLineStart) {
            pendingBlank = true;
        }
    }
    if (stopped) {
        result.m_nBest = bestAtLine;
        result.m_nCounted = lineStart;
        return result;
    }
    // ... and ends at a line end, where a "$" phrase may still complete.
    if (!atLineStart && step(kClassBreak)) {
        result.m_nBest = bestAtLine;
        result.m_nCounted = lineStart;
        return result;
    }
    result.m_nBest = best;
    return result;
}
