#pragma once

#include "model/DomainDoc.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The change notices a document sent, in order, as short words: "rebuilt",
// "all", "row N", "removed N".
class CDocChangeLog
{
public:
    explicit CDocChangeLog(CDomainDoc& doc)
    {
        QObject::connect(&doc, &CDomainDoc::ListRebuilt, [this] { m_changes << QStringLiteral("rebuilt"); });
        QObject::connect(&doc, &CDomainDoc::AllRowsChanged, [this] { m_changes << QStringLiteral("all"); });
        QObject::connect(&doc, &CDomainDoc::RowChanged, [this](int i) { m_changes << QStringLiteral("row %1").arg(i); });
        QObject::connect(&doc, &CDomainDoc::RowRemoved,
                         [this](int i) { m_changes << QStringLiteral("removed %1").arg(i); });
    }

    const QStringList& Changes() const { return m_changes; }
    bool IsEmpty() const { return m_changes.isEmpty(); }
    void Clear() { m_changes.clear(); }

private:
    QStringList m_changes;
};
