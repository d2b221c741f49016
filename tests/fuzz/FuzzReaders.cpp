// Feeds arbitrary bytes to the readers of Telvaro's stored files. The first
// byte picks the reader; the rest is the file. A reader may reject the data
// with an archive error, but must never crash, hang or allocate more than
// the data could hold.
#include "model/Archive.h"
#include "model/DomainInfo.h"
#include "model/TLDTable.h"

#include <cstddef>
#include <cstdint>

namespace {

void ReadRecords(CArchive& ar)
{
    const uint16_t count = ar.ReadWord();
    for (uint16_t i = 0; i < count; ++i) {
        ar.ReadObjectTag(CDomainInfo::classCDomainInfo);
        CDomainInfo record;
        record.Serialize(ar);
        (void)record.m_dtChecked.FormatDateTime();
        QByteArray back;
        CArchive out(&back);
        record.Serialize(out);
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArrayView file(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    CArchive ar(file);
    try {
        if (data[0] & 1) {
            CTLDTable table;
            ReadTLDRows(ar, table);
            for (const auto& row : table.m_rows)
                (void)IsValidDomainName(row->m_strTLD);
        } else {
            ReadRecords(ar);
        }
    } catch (const CArchiveException&) {
    }
    return 0;
}
