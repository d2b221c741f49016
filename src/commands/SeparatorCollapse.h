#pragma once

#include <vector>

// Drops the separators that would stand at either end or next to another
// separator once absent commands are left out.
template <class T>
std::vector<T> CollapseSeparators(const std::vector<T>& items, const T& separator)
{
    std::vector<T> out;
    bool pendingSeparator = false;
    for (const T& item : items) {
        if (item == separator) {
            pendingSeparator = !out.empty();
            continue;
        }
        if (pendingSeparator)
            out.push_back(separator);
        pendingSeparator = false;
        out.push_back(item);
    }
    return out;
}
