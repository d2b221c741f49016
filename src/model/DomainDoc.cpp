#include "model/DomainDoc.h"

#include "model/DomainSort.h"
#include "model/TLDTable.h"
#include "verdict/RuleStore.h"
#include "base/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <chrono>

CDomainDoc::CDomainDoc(QObject* parent) : QObject(parent) {}

CDomainDoc::~CDomainDoc()
{
    DeleteAllDomains();
}

void CDomainDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    Q_EMIT ModifiedChanged(modified);
}

QString CDomainDoc::GetTitle() const
{
    return m_strPathName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_strPathName).fileName();
}

void CDomainDoc::RecordChanged(int index)
{
    SetModifiedFlag();
    Q_EMIT RowChanged(index);
}

void CDomainDoc::RecordsChanged()
{
    SetModifiedFlag();
    Q_EMIT AllRowsChanged();
}

bool CDomainDoc::OnNewDocument()
{
    DeleteAllDomains();
    m_strPathName.clear();
    m_bPartiallyLoaded = false;
    SetModifiedFlag(false);
    m_nMaxEntries = Settings::MaxEntries.Get();
    return true;
}

// --- name index ------------------------------------------------------------

void CDomainDoc::RebuildNameIndex()
{
    m_nameIndex.Clear();
    m_nameIndex.Reserve(m_arrDomains.size());
    for (const auto& r : m_arrDomains)
        m_nameIndex.Add(r.get());
}

int CDomainDoc::IndexOf(const CDomainInfo* record) const
{
    if (!record)
        return -1;
    if (!m_positionsValid) {
        for (size_t i = 0; i < m_arrDomains.size(); ++i)
            m_arrDomains[i]->m_nPosition = int(i);
        m_positionsValid = true;
    }
    const int i = record->m_nPosition;
    return i >= 0 && i < GetCount() && m_arrDomains[size_t(i)].get() == record ? i : -1;
}

// --- list operations -------------------------------------------------------

bool CDomainDoc::AddDomain(QByteArrayView name)
{
    if (GetCount() >= m_nMaxEntries || GetCount() >= kMaxFileRecords)
        return false;
    name = name.trimmed();
    if (!IsValidDomainName(name) || FindDomain(name))
        return false;
    auto record = std::make_unique<CDomainInfo>();
    record->m_strName = name.toByteArray();
    m_nameIndex.Add(record.get());
    record->m_nPosition = GetCount();
    m_arrDomains.push_back(std::move(record));
    SetModifiedFlag();
    return true;
}

CDomainInfo* CDomainDoc::FindDomain(QByteArrayView name) const
{
    name = name.trimmed();
    const CNameIndex::CMatch match = m_nameIndex.Find(name);
    if (match.m_nCount <= 1)
        return match.m_pRecord;
    // The first of a repeated name, in list order.
    for (const auto& r : m_arrDomains) {
        if (EqualsNoCase(r->m_strName, name))
            return r.get();
    }
    return nullptr;
}

bool CDomainDoc::RemoveDomain(QByteArrayView name)
{
    const CDomainInfo* record = FindDomain(name);
    return record && RemoveAt(IndexOf(record));
}

bool CDomainDoc::RemoveAt(int index)
{
    if (index < 0 || index >= GetCount() || GetAt(index)->IsBusy())
        return false;
    m_nameIndex.Remove(GetAt(index));
    m_arrDomains.erase(m_arrDomains.begin() + index);
    InvalidatePositions();
    SetModifiedFlag();
    return true;
}

int CDomainDoc::RemoveIf(const std::function<bool(const CDomainInfo&)>& pred)
{
    const auto oldCount = m_arrDomains.size();
    std::erase_if(m_arrDomains, [&](const auto& r) { return !r->IsBusy() && pred(*r); });
    const int removed = int(oldCount - m_arrDomains.size());
    if (removed > 0) {
        RebuildNameIndex();
        InvalidatePositions();
        SetModifiedFlag();
    }
    return removed;
}

void CDomainDoc::DeleteAllDomains()
{
    // Running lookups are told to stop; give them a moment to end so their
    // threads do not linger, but never more than two seconds.
    std::vector<std::shared_ptr<CLookupHandle>> running;
    for (const auto& r : m_arrDomains) {
        if (r->IsBusy()) {
            r->CancelLookup();
            running.push_back(r->m_pConn);
        }
    }
    if (!running.empty()) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(2000);
        for (const auto& conn : running)
            conn->WaitUntilFinished(deadline);
    }
    // A record destroyed while its worker still runs detaches from it; the
    // late result then finds no record.
    m_arrDomains.clear();
    m_nameIndex.Clear();
    m_positionsValid = true;
}

void CDomainDoc::SortDomains(int kind)
{
    SortDomainList(m_arrDomains, kind);
    InvalidatePositions();
    Q_EMIT AllRowsChanged();
}

void CDomainDoc::SetSelected(int index, uint8_t value)
{
    if (index < 0 || index >= GetCount())
        return;
    GetAt(index)->m_bSelected = value;
    RecordChanged(index);
}

void CDomainDoc::GetItemText(int index, int column, QString& text) const
{
    if (index < 0 || index >= GetCount())
        return;
    const CDomainInfo& record = *GetAt(index);
    switch (column) {
    case 0:
        text = QString::number(index + 1);
        break;
    case 1:
        text = QString::fromLatin1(record.m_strName);
        break;
    case 2:
        text = QString::fromLatin1(record.StatusText());
        break;
    case 3:
        text = record.m_dtChecked.IsValid() ? record.m_dtChecked.FormatDateTime() : QStringLiteral("-");
        break;
    case 4:
        text = record.m_bSelected ? QStringLiteral("Yes") : QStringLiteral("No");
        break;
    default:
        break;
    }
}

// --- file ------------------------------------------------------------------

void CDomainDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(uint16_t(GetCount()));
        for (const auto& r : m_arrDomains) {
            ar.WriteObjectTag(CDomainInfo::classCDomainInfo);
            r->Serialize(ar);
        }
        return;
    }
    // Loading: records are appended as they are read, so an archive error
    // leaves the ones before it in the list.
    DeleteAllDomains();
    const uint16_t count = ar.ReadWord();
    m_arrDomains.reserve(count);
    m_nameIndex.Reserve(count);
    InvalidatePositions();
    // One pack for the whole file, even if another is installed meanwhile.
    const std::shared_ptr<const CRulePack> pack = CRuleStore::Current();
    for (uint16_t i = 0; i < count; ++i) {
        ar.ReadObjectTag(CDomainInfo::classCDomainInfo);
        auto record = std::make_unique<CDomainInfo>();
        record->Serialize(ar);
        ClassifyAnswer(*record, STATUS_UNKNOWN, *pack, GetWhoisServer(record->m_strName));
        AppendLoaded(std::move(record));
    }
}

void CDomainDoc::AppendLoaded(std::unique_ptr<CDomainInfo> record)
{
    m_nameIndex.Add(record.get());
    InvalidatePositions();
    m_arrDomains.push_back(std::move(record));
}

CResult CDomainDoc::OnOpenDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CResult::Failed(QStringLiteral("Telvaro could not open \"%1\": %2").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return CResult::Failed(QStringLiteral("Telvaro could not read \"%1\": %2").arg(path, file.errorString()));
    // Read into a list of its own first: a file that yields nothing at all
    // is not a list, and must not replace the one that is open.
    CDomainDoc loaded;
    CArchive ar{QByteArrayView(data)};
    QString damage;
    try {
        loaded.Serialize(ar);
    } catch (const CArchiveException& e) {
        if (loaded.GetCount() == 0)
            return CResult::Failed(e.Describe(path) + QStringLiteral(" No names could be read from it."));
        damage = e.Describe(path) + QStringLiteral(" %1 names were read before the damage.").arg(loaded.GetCount());
    }
    DeleteAllDomains();
    m_arrDomains.swap(loaded.m_arrDomains);
    RebuildNameIndex();
    InvalidatePositions();
    m_bPartiallyLoaded = !damage.isEmpty();
    m_strPathName = path;
    SetModifiedFlag(false);
    Q_EMIT ListRebuilt();
    return CResult::Ok(damage);
}

CResult CDomainDoc::OnSaveDocument(const QString& path)
{
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        CArchive ar(&file);
        Serialize(ar);
        written = ar.Flush();
    }
    if (!written || !file.commit()) {
        return CResult::Failed(QStringLiteral("Telvaro could not save \"%1\": %2. The file on disk was not changed.")
                                   .arg(path, file.errorString()));
    }
    m_strPathName = path;
    m_bPartiallyLoaded = false;
    SetModifiedFlag(false);
    return CResult::Ok();
}
