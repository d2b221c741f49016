#include "export/ExportSink.h"

#include <QIODevice>

namespace {

constexpr qsizetype kFlushSize = qsizetype(1) << 20;

}

CExportSink::CExportSink(QIODevice& device) : m_device(device)
{
    m_buffer.reserve(kFlushSize + kFlushSize / 4);
}

void CExportSink::EndRecord()
{
    if (m_buffer.size() >= kFlushSize)
        WriteBuffer();
}

bool CExportSink::Finish()
{
    WriteBuffer();
    return !m_bFailed;
}

void CExportSink::WriteBuffer()
{
    if (!m_bFailed && !m_buffer.isEmpty())
        m_bFailed = m_device.write(m_buffer) != m_buffer.size();
    m_buffer.resize(0);   // keeps the allocation for the next piece
}
