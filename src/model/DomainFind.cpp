#include "model/DomainFind.h"

#include "base/TextCompare.h"
#include "model/DomainDoc.h"

int FindEntry(const CDomainDoc& doc, QByteArrayView text)
{
    // One pass: an exact match ends it, the first prefix match waits.
    int firstPrefix = -1;
    int row = 0;
    for (const auto& record : doc.Records()) {
        const QByteArrayView name(record->m_strName);
        if (name.size() >= text.size() && EqualsNoCase(name.first(text.size()), text)) {
            if (name.size() == text.size())
                return row;
            if (firstPrefix < 0)
                firstPrefix = row;
        }
        ++row;
    }
    return firstPrefix;
}
