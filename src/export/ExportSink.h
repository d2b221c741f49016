#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Collects an export's bytes and hands them to the device in large pieces,
// so that a report of 65535 records never sits in memory whole and stdout
// gets few writes. The first failed write is remembered; later ones are
// dropped.
class CExportSink
{
public:
    explicit CExportSink(QIODevice& device);
    CExportSink(const CExportSink&) = delete;
    CExportSink& operator=(const CExportSink&) = delete;

    void Append(QByteArrayView bytes) { m_buffer.append(bytes); }
    // For writers that build a record in place (escaping, conversion).
    QByteArray& Buffer() { return m_buffer; }
    // Called after each record: writes the buffer once it is large.
    void EndRecord();
    // Writes what is left; false when any write failed.
    bool Finish();

private:
    void WriteBuffer();

    QIODevice& m_device;
    QByteArray m_buffer;
    bool m_bFailed = false;
};
