#include "model/TLDInfo.h"

const CRuntimeClass CTLDInfo::classCTLDInfo = {"CTLDInfo", 1};

CTLDInfo::CTLDInfo(QByteArray tld, QByteArray server, uint8_t selected)
    : m_strTLD(std::move(tld)), m_strServer(std::move(server)), m_bSelected(selected)
{
}

void CTLDInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(m_strTLD);
        ar.WriteString(m_strServer);
        ar.WriteByte(m_bSelected);
        ar.WriteString(m_strRegistrar);
    } else {
        m_strTLD = ar.ReadString();
        m_strServer = ar.ReadString();
        m_bSelected = ar.ReadByte();
        m_strRegistrar = ar.ReadString();
    }
}
