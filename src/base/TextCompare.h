#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>

// Letter-case rules for 8-bit names and answers: only ASCII letters have a
// case, and comparisons work on the lower-case bytes, unsigned.

inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// <0, 0 or >0 as a compares to b without regard to letter case.
int CompareNoCase(QByteArrayView a, QByteArrayView b);

inline bool EqualsNoCase(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

// Hash that agrees with EqualsNoCase, for case-insensitive indexes.
struct NoCaseHash
{
    using is_transparent = void;
    size_t operator()(QByteArrayView text) const;
};

struct NoCaseEqual
{
    using is_transparent = void;
    bool operator()(QByteArrayView a, QByteArrayView b) const { return EqualsNoCase(a, b); }
};
