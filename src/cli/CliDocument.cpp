#include "cli/CliDocument.h"

#include "base/UserMessage.h"
#include "cli/CliError.h"

#include <QFileInfo>

CCliDocument::CCliDocument(const QString& path, bool forWriting) : m_strPath(path)
{
    m_doc.OnNewDocument();
    if (!QFileInfo::exists(path))
        throw CCliError{QStringLiteral("%1: no such document").arg(path)};
    const CResult opened = m_doc.OnOpenDocument(path);
    if (!opened)
        throw CCliError{opened.Message()};
    // Damage is worth a line of its own even when only reading.
    if (opened.HasMessage())
        ReportUserError(opened.Message());
    if (forWriting && m_doc.IsPartiallyLoaded()) {
        throw CCliError{QStringLiteral("%1 is damaged; it was left unchanged. Open it in Telvaro and save the "
                                       "names that could be read under a new name.")
                            .arg(path)};
    }
}

void CCliDocument::Save()
{
    if (!m_doc.IsModified())
        return;
    if (const CResult saved = m_doc.OnSaveDocument(m_strPath); !saved)
        throw CCliError{saved.Message()};
}
