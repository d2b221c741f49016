#include "export/ExportTarget.h"

#include "export/ExportSink.h"

#include <QSaveFile>

namespace {

CExportResult FillDevice(QIODevice& device, const CExportTarget::Fill& fill)
{
    CExportSink sink(device);
    const int count = fill(sink);
    bool written = sink.Finish();
    // A file keeps the last bytes in its buffer; only flushing them shows
    // whether they reached it (stdout on a full disk).
    if (auto* file = qobject_cast<QFileDevice*>(&device); written && file)
        written = file->flush();
    if (!written)
        return CExportResult::Failed(device.errorString());
    return CExportResult::Written(count);
}

}

CExportResult CExportTarget::Write(const Fill& fill) const
{
    if (m_pDevice) {
        CExportResult result = FillDevice(*m_pDevice, fill);
        if (!result.m_bOk)
            result.m_strError = QStringLiteral("Telvaro could not write the export: %1.").arg(result.m_strError);
        return result;
    }
    QSaveFile file(m_strPath);
    CExportResult result;
    if (file.open(QIODevice::WriteOnly))
        result = FillDevice(file, fill);
    if (!result.m_bOk || !file.commit()) {
        return CExportResult::Failed(QStringLiteral("Telvaro could not write \"%1\": %2.")
                                         .arg(m_strPath, file.errorString()));
    }
    return result;
}
