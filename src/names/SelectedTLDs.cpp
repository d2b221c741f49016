#include "names/SelectedTLDs.h"

#include "model/TLDTable.h"

QByteArrayList GetSelectedTLDs()
{
    QByteArrayList tlds;
    for (const auto& row : g_tldTable.m_rows) {
        if (row->m_bSelected)
            tlds.append(row->m_strTLD);
    }
    return tlds;
}
