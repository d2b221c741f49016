#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <map>
#include <stdexcept>

// Run-time class record of a serializable object: the name and schema that
// the archive writes in front of the first object of the class.
struct CRuntimeClass
{
    const char* m_lpszClassName;
    uint16_t m_wSchema;
};

// Raised while an archive is read; the reader stops at the first one.
class CArchiveException : public std::runtime_error
{
public:
    enum Cause
    {
        endOfFile,   // a read went past the last byte
        badClass,    // a class name other than the expected one
        badSchema,   // the expected class with another schema number
        badIndex,    // a null object, a back-reference or an unknown class index
    };

    explicit CArchiveException(Cause cause);

    Cause m_cause;

    // A sentence for the user that names the file and what is wrong with it.
    QString Describe(const QString& fileName) const;
};

// The archive stream of documents, qzn.tld and dpad.dp: little-endian
// integers, counted strings and tagged objects, with nothing of our own
// around them. A storing archive appends to a byte buffer; a loading archive
// reads from one and never trusts a stored length beyond the bytes present.
class CArchive
{
public:
    explicit CArchive(QByteArray* storeTo);       // storing into memory
    explicit CArchive(QIODevice* storeTo);        // storing into a file, buffered
    explicit CArchive(QByteArrayView loadFrom);   // loading
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Writes what is buffered to the device; false when the device refused
    // any of what was written so far.
    bool Flush();

    bool IsStoring() const { return m_pStore != nullptr; }
    bool IsLoading() const { return m_pStore == nullptr; }

    void WriteByte(uint8_t v);
    void WriteWord(uint16_t v);
    void WriteLong(int32_t v);
    void WriteDWord(uint32_t v);
    void WriteDouble(double v);
    void WriteString(QByteArrayView text);

    uint8_t ReadByte();
    uint16_t ReadWord();
    int32_t ReadLong();
    uint32_t ReadDWord();
    double ReadDouble();
    QByteArray ReadString();

    // The tag in front of every object: a new-class record for the first
    // object of a class, then 0x8000 | class index.
    void WriteObjectTag(const CRuntimeClass& cls);
    // Reads and checks the tag of one object of the expected class.
    void ReadObjectTag(const CRuntimeClass& cls);

    qsizetype BytesLeft() const { return m_load.size() - m_nPos; }

private:
    void Append(const char* data, qsizetype n);
    const char* Take(qsizetype n);
    uint32_t ReadStringLength(bool* wide);

    QByteArray* m_pStore = nullptr;
    QIODevice* m_pDevice = nullptr;
    QByteArray m_buffer;   // for m_pDevice
    bool m_bDeviceFailed = false;
    QByteArrayView m_load;
    qsizetype m_nPos = 0;

    // Object and class numbering shared by writer and reader: index 0 is the
    // null object, each class and each object takes the next number.
    uint32_t m_nMapCount = 1;
    std::map<QByteArray, uint32_t> m_storedClasses;   // storing: name -> index
    std::map<uint32_t, QByteArray> m_loadedClasses;   // loading: index -> name
};
