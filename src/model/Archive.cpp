#include "model/Archive.h"

#include <QtEndian>

#include <cstring>

CArchiveException::CArchiveException(Cause cause)
    : std::runtime_error("archive error"), m_cause(cause)
{
}

QString CArchiveException::Describe(const QString& fileName) const
{
    switch (m_cause) {
    case endOfFile:
        return QStringLiteral("The file \"%1\" is damaged: it ends in the middle of its data.").arg(fileName);
    case badClass:
        return QStringLiteral("The file \"%1\" is damaged or of another kind: it holds an unexpected kind of entry.").arg(fileName);
    case badSchema:
        return QStringLiteral("The file \"%1\" was written in a format version that Telvaro cannot read.").arg(fileName);
    case badIndex:
        break;
    }
    return QStringLiteral("The file \"%1\" is damaged: it refers to an entry that is missing or empty.").arg(fileName);
}

namespace {
constexpr qsizetype kDeviceBuffer = 1 << 16;
}

CArchive::CArchive(QByteArray* storeTo) : m_pStore(storeTo) {}

CArchive::CArchive(QIODevice* storeTo) : m_pStore(&m_buffer), m_pDevice(storeTo)
{
    m_buffer.reserve(kDeviceBuffer + 4096);
}

CArchive::~CArchive()
{
    Flush();
}

bool CArchive::Flush()
{
    if (m_pDevice && !m_buffer.isEmpty()) {
        if (m_pDevice->write(m_buffer) != m_buffer.size())
            m_bDeviceFailed = true;
        m_buffer.resize(0);
    }
    return !m_bDeviceFailed;
}

void CArchive::Append(const char* data, qsizetype n)
{
    if (m_pDevice && m_buffer.size() + n > kDeviceBuffer) {
        Flush();
        if (n > kDeviceBuffer) {
            if (m_pDevice->write(data, n) != n)
                m_bDeviceFailed = true;
            return;
        }
    }
    m_pStore->append(data, n);
}

CArchive::CArchive(QByteArrayView loadFrom) : m_load(loadFrom) {}

void CArchive::WriteByte(uint8_t v)
{
    const char c = char(v);
    Append(&c, 1);
}

void CArchive::WriteWord(uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    Append(b, 2);
}

void CArchive::WriteLong(int32_t v)
{
    WriteDWord(uint32_t(v));
}

void CArchive::WriteDWord(uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    Append(b, 4);
}

void CArchive::WriteDouble(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    char b[8];
    qToLittleEndian(bits, b);
    Append(b, 8);
}

void CArchive::WriteString(QByteArrayView text)
{
    const auto len = uint64_t(text.size());
    if (len < 0xFF) {
        WriteByte(uint8_t(len));
    } else if (len < 0xFFFE) {
        WriteByte(0xFF);
        WriteWord(uint16_t(len));
    } else {
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteDWord(uint32_t(len));
    }
    Append(text.data(), text.size());
}

const char* CArchive::Take(qsizetype n)
{
    if (n < 0 || n > BytesLeft())
        throw CArchiveException(CArchiveException::endOfFile);
    const char* p = m_load.data() + m_nPos;
    m_nPos += n;
    return p;
}

uint8_t CArchive::ReadByte()
{
    return uint8_t(*Take(1));
}

uint16_t CArchive::ReadWord()
{
    return qFromLittleEndian<uint16_t>(Take(2));
}

int32_t CArchive::ReadLong()
{
    return int32_t(ReadDWord());
}

uint32_t CArchive::ReadDWord()
{
    return qFromLittleEndian<uint32_t>(Take(4));
}

double CArchive::ReadDouble()
{
    const uint64_t bits = qFromLittleEndian<uint64_t>(Take(8));
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

uint32_t CArchive::ReadStringLength(bool* wide)
{
    *wide = false;
    uint8_t bLen = ReadByte();
    if (bLen < 0xFF)
        return bLen;
    uint16_t wLen = ReadWord();
    if (wLen == 0xFFFE) {
        // Wide marker: a length of UTF-16 units follows in the same scheme.
        *wide = true;
        bLen = ReadByte();
        if (bLen < 0xFF)
            return bLen;
        wLen = ReadWord();
    }
    if (wLen < 0xFFFF)
        return wLen;
    return ReadDWord();
}

QByteArray CArchive::ReadString()
{
    bool wide = false;
    const uint64_t len = ReadStringLength(&wide);
    const uint64_t bytes = wide ? len * 2 : len;
    if (bytes > uint64_t(BytesLeft()))
        throw CArchiveException(CArchiveException::endOfFile);
    const char* p = Take(qsizetype(bytes));
    if (!wide)
        return QByteArray(p, qsizetype(bytes));

    // Wide text becomes 8-bit text; what has no 8-bit form becomes '?'.
    QByteArray text(qsizetype(len), Qt::Uninitialized);
    for (uint64_t i = 0; i < len; ++i) {
        const uint16_t unit = qFromLittleEndian<uint16_t>(p + 2 * i);
        text[qsizetype(i)] = unit < 0x100 ? char(unit) : '?';
    }
    return text;
}

void CArchive::WriteObjectTag(const CRuntimeClass& cls)
{
    const QByteArray name(cls.m_lpszClassName);
    const auto it = m_storedClasses.find(name);
    if (it != m_storedClasses.end()) {
        WriteWord(uint16_t(0x8000 | it->second));
    } else {
        WriteWord(0xFFFF);
        WriteWord(cls.m_wSchema);
        WriteWord(uint16_t(name.size()));
        Append(name.constData(), name.size());
        m_storedClasses.emplace(name, m_nMapCount++);
    }
    ++m_nMapCount;   // the object itself
}

void CArchive::ReadObjectTag(const CRuntimeClass& cls)
{
    const uint16_t wTag = ReadWord();
    uint32_t obTag;
    if (wTag == 0x7FFF)
        obTag = ReadDWord();   // big-index form
    else
        obTag = (uint32_t(wTag & 0x8000) << 16) | (wTag & 0x7FFF);

    if (!(obTag & 0x80000000u)) {
        // A null object or a back-reference to an object read before: neither
        // is a new record, so the file cannot be used from here on.
        throw CArchiveException(CArchiveException::badIndex);
    }

    if (wTag == 0xFFFF) {
        const uint16_t schema = ReadWord();
        const uint16_t nameLen = ReadWord();
        const QByteArray name(Take(nameLen), nameLen);
        if (name != cls.m_lpszClassName)
            throw CArchiveException(CArchiveException::badClass);
        if (schema != cls.m_wSchema)
            throw CArchiveException(CArchiveException::badSchema);
        m_loadedClasses.emplace(m_nMapCount++, name);
    } else {
        const uint32_t index = obTag & 0x7FFFFFFFu;
        const auto it = m_loadedClasses.find(index);
        if (it == m_loadedClasses.end())
            throw CArchiveException(CArchiveException::badIndex);
        if (it->second != cls.m_lpszClassName)
            throw CArchiveException(CArchiveException::badClass);
    }
    ++m_nMapCount;
}
