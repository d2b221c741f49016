#pragma once

#include "base/Result.h"
#include "base/TextCompare.h"
#include "model/DomainInfo.h"
#include "model/NameIndex.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <vector>

// The user's list of domain records, in display order, and its file. Every
// change goes through these operations; observers hear what changed through
// the signals below.
class CDomainDoc : public QObject
{
    Q_OBJECT

public:
    // The file counts records in 16 bits.
    static constexpr int kMaxFileRecords = 65535;

    explicit CDomainDoc(QObject* parent = nullptr);
    ~CDomainDoc() override;

    // Empties the list and reads "Max Entries".
    bool OnNewDocument();

    bool AddDomain(QByteArrayView name);
    CDomainInfo* FindDomain(QByteArrayView name) const;
    bool RemoveDomain(QByteArrayView name);
    // Removes the record at index (not while it is busy); tells nobody.
    bool RemoveAt(int index);
    // Removes every idle record for which pred holds, in one pass; returns
    // how many went. Tells nobody.
    int RemoveIf(const std::function<bool(const CDomainInfo&)>& pred);
    void DeleteAllDomains();
    void SortDomains(int kind);
    // Marks or unmarks the record at index: the list is modified and that
    // row changed.
    void SetSelected(int index, uint8_t value);
    void GetItemText(int index, int column, QString& text) const;

    void Serialize(CArchive& ar);
    // Appends a record as reading a file does: with no checks of its name,
    // for files written elsewhere may hold anything. Nothing is told.
    void AppendLoaded(std::unique_ptr<CDomainInfo> record);

    // Reads a document file. Fails (and the list stays as it was) when the
    // file cannot be read at all. A damaged file loads the records before
    // the damage, succeeds with a warning and counts as loaded partially.
    CResult OnOpenDocument(const QString& path);
    // Writes the list atomically; on failure the old file stays.
    CResult OnSaveDocument(const QString& path);

    int GetCount() const { return int(m_arrDomains.size()); }
    CDomainInfo* GetAt(int index) const { return m_arrDomains[size_t(index)].get(); }
    // Every record in list order; the records may change, the list not.
    std::span<const std::unique_ptr<CDomainInfo>> Records() const { return m_arrDomains; }
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

    // A record's content changed (a lookup ended, it was reset): the list is
    // modified and its row must be redrawn.
    void RecordChanged(int index);
    // Many records changed at once.
    void RecordsChanged();

    // Notices without a change of content: rows to redraw or rebuild.
    void NotifyListRebuilt() { Q_EMIT ListRebuilt(); }
    void NotifyAllRowsChanged() { Q_EMIT AllRowsChanged(); }
    void NotifyRowChanged(int index) { Q_EMIT RowChanged(index); }
    void NotifyRowRemoved(int index) { Q_EMIT RowRemoved(index); }

    int m_nMaxEntries = 3000;

Q_SIGNALS:
    // The whole list was replaced or rebuilt.
    void ListRebuilt();
    // Any row may have changed, or moved.
    void AllRowsChanged();
    // The row at index changed.
    void RowChanged(int index);
    // The row at index went; the rows after it moved up.
    void RowRemoved(int index);
    void ModifiedChanged(bool modified);

private:
    void RebuildNameIndex();
    void InvalidatePositions() { m_positionsValid = false; }

    std::vector<std::unique_ptr<CDomainInfo>> m_arrDomains;
    QString m_strPathName;
    bool m_bModified = false;
    bool m_bPartiallyLoaded = false;

    // Names without regard to case, so that AddDomain needs no scan.
    CNameIndex m_nameIndex;
    // Whether every record's m_nPosition is its place in the list; after
    // the order changed, the next IndexOf numbers them again.
    mutable bool m_positionsValid = true;
};
