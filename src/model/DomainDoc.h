#pragma once

#include "model/DomainInfo.h"
#include "model/TextCompare.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

// The user's list of domain records, in display order, and its file. Every
// change goes through these operations, which tell observers what changed
// through UpdateAllViews.
class CDomainDoc : public QObject
{
    Q_OBJECT

public:
    // Update hints: 0 list rebuilt, -1 every row changed, -2 one row removed
    // (its index in the second argument), n >= 1 row n - 1 changed.
    enum : int { HINT_REBUILT = 0, HINT_ALL = -1, HINT_REMOVED = -2 };
    // The file counts records in 16 bits.
    static constexpr int kMaxFileRecords = 65535;

    explicit CDomainDoc(QObject* parent = nullptr);
    ~CDomainDoc() override;

    // Empties the list and reads "Max Entries" and "Strip Output".
    bool OnNewDocument();

    bool AddDomain(QByteArrayView name);
    CDomainInfo* FindDomain(QByteArrayView name) const;
    bool RemoveDomain(QByteArrayView name);
    // Removes the record at index (not while it is busy); sends no hint.
    bool RemoveAt(int index);
    // Removes every idle record for which pred holds, in one pass; returns
    // how many went. Sends no hint.
    int RemoveIf(const std::function<bool(const CDomainInfo&)>& pred);
    void DeleteAllDomains();
    void SortDomains(int kind);
    void SetSelected(int index, uint8_t value);
    bool StartLookup(int index);
    void GetItemText(int index, int column, QString& text) const;

    void Serialize(CArchive& ar);

    // Reads a document file; false (and the list unchanged) when the file
    // cannot be read at all. A damaged file loads the records before the
    // damage, is reported to the user and counts as loaded partially.
    bool OnOpenDocument(const QString& path);
    // Writes the list atomically; on failure the old file stays, the user
    // is told and the result is false.
    bool OnSaveDocument(const QString& path);

    int GetCount() const { return int(m_arrDomains.size()); }
    CDomainInfo* GetAt(int index) const { return m_arrDomains[size_t(index)].get(); }
    // Position of a record in the list, or -1.
    int IndexOf(const CDomainInfo* record) const;

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path) { m_strPathName = path; }
    // "Untitled" or the file's name.
    QString GetTitle() const;
    // The last load stopped at damage: saving over that file would lose the
    // records after it.
    bool IsPartiallyLoaded() const { return m_bPartiallyLoaded; }

    // Where lookup completions go (the scheduler).
    void SetLookupNotifyTarget(QObject* target) { m_pNotifyTarget = target; }

    void UpdateAllViews(int hint, int removedIndex = -1);

    std::vector<std::unique_ptr<CDomainInfo>> m_arrDomains;
    int m_nMaxEntries = 3000;

Q_SIGNALS:
    void Updated(int hint, int removedIndex);
    void ModifiedChanged(bool modified);

private:
    struct IndexEntry
    {
        CDomainInfo* m_pFirst = nullptr;   // valid while m_nCount == 1
        int m_nCount = 0;
    };
    void IndexAdd(CDomainInfo* record);
    void IndexRemove(CDomainInfo* record);
    void RebuildNameIndex();
    void InvalidatePositions() { m_positionsValid = false; }

    QString m_strPathName;
    bool m_bModified = false;
    bool m_bPartiallyLoaded = false;
    QPointer<QObject> m_pNotifyTarget;

    // Names without regard to case, so that AddDomain needs no scan.
    std::unordered_map<QByteArray, IndexEntry, NoCaseHash, NoCaseEqual> m_nameIndex;
    // Whether every record's m_nPosition is its place in the list; after
    // the order changed, the next IndexOf numbers them again.
    mutable bool m_positionsValid = true;
};
