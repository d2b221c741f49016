#pragma once

#include "model/DomainDoc.h"

#include <QString>

// Opening and saving a document for the command line: errors end the
// program, and a damaged document is never written over.
class CCliDocument
{
public:
    // Opens path, with "Max Entries" and "Strip Output" from the settings.
    // A missing or unreadable file throws; a damaged one is reported and
    // throws too when forWriting, since saving would drop what follows the
    // damage.
    CCliDocument(const QString& path, bool forWriting);

    CDomainDoc& Doc() { return m_doc; }
    // Saves when something changed.
    void Save();

private:
    QString m_strPath;
    CDomainDoc m_doc;
};
