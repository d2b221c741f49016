#pragma once

#include "export/ExportResult.h"

#include <QString>

#include <functional>

class CExportSink;
class QIODevice;

// Where an export goes: a file, written atomically so that a failed export
// never leaves a damaged or half-written file, or an open device such as
// the command line's stdout.
class CExportTarget
{
public:
    // Implicit on purpose: a writer takes a path or a device alike.
    CExportTarget(const QString& path) : m_strPath(path) {}
    CExportTarget(QIODevice& device) : m_pDevice(&device) {}

    // Runs fill, which writes the records into the sink and returns how
    // many it wrote, and delivers the bytes. A file that cannot be created
    // or written is an error naming the file and the reason.
    using Fill = std::function<int(CExportSink& sink)>;
    CExportResult Write(const Fill& fill) const;

private:
    QString m_strPath;
    QIODevice* m_pDevice = nullptr;
};
