#include "names/NameCandidates.h"

#include "model/TLDTable.h"
#include "names/SelectedTLDs.h"
#include "names/Tokens.h"

QByteArrayList BuildNameCandidates(QByteArrayView text, const QByteArrayList& selectedTLDs)
{
    QByteArrayList names;
    for (const QByteArray& token : SplitTokens(text, kNameSeparators)) {
        if (IsValidDomainName(token)) {
            names.append(token);
            continue;
        }
        for (const QByteArray& tld : selectedTLDs)
            names.append(token + '.' + tld);
    }
    return names;
}

QByteArrayList BuildNameCandidates(QByteArrayView text)
{
    return BuildNameCandidates(text, GetSelectedTLDs());
}
