#include "names/Tokens.h"

#include <array>

QByteArrayList SplitTokens(QByteArrayView text, QByteArrayView separators)
{
    // A byte table keeps imported files of any size linear.
    std::array<bool, 256> isSeparator{};
    for (char c : separators)
        isSeparator[static_cast<unsigned char>(c)] = true;

    QByteArrayList tokens;
    qsizetype start = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isSeparator[static_cast<unsigned char>(text[i])]) {
            if (start >= 0)
                tokens.append(text.sliced(start, i - start).toByteArray());
            start = -1;
        } else if (start < 0) {
            start = i;
        }
    }
    if (start >= 0)
        tokens.append(text.sliced(start).toByteArray());
    return tokens;
}
