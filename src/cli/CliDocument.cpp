#include "cli/CliDocument.h"

#include "cli/CliArgs.h"

#include <QFileInfo>

CCliDocument::CCliDocument(const QString& path, bool forWriting) : m_strPath(path)
{
    m_doc.OnNewDocument();
    if (!QFileInfo::exists(path))
        throw CCliError{QStringLiteral("%1: no such document").arg(path)};
    if (!m_doc.OnOpenDocument(path))
        throw CCliError{QStringLiteral("%1: the document could not be read").arg(path)};
    if (forWriting && m_doc.IsPartiallyLoaded()) {
        throw CCliError{QStringLiteral("%1 is damaged; it was left unchanged. Open it in Telvaro and save the "
                                       "names that could be read under a new name.")
                            .arg(path)};
    }
}

void CCliDocument::Save()
{
    if (m_doc.IsModified() && !m_doc.OnSaveDocument(m_strPath))
        throw CCliError{QStringLiteral("%1 was not saved").arg(m_strPath)};
}
