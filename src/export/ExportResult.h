#pragma once

#include <QString>

// What an export tells its command: whether it worked, how many records it
// wrote, and otherwise why not (shown once, by the command).
struct CExportResult
{
    bool m_bOk = false;
    int m_nCount = 0;
    QString m_strError;

    static CExportResult Written(int count) { return {true, count, {}}; }
    static CExportResult Failed(const QString& error) { return {false, 0, error}; }
};
