#include "base/TextCompare.h"

int CompareNoCase(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

size_t NoCaseHash::operator()(QByteArrayView text) const
{
    // FNV-1a over the lower-case bytes.
    size_t h = 14695981039346656037ull;
    for (char c : text) {
        h ^= static_cast<unsigned char>(AsciiLower(c));
        h *= 1099511628211ull;
    }
    return h;
}
