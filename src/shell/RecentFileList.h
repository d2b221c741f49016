#pragma once

#include <QObject>
#include <QStringList>

// The most recently opened or saved documents, newest first, kept in the
// settings section "Recent File List" as "File1" ... "FileN". Written on
// every change, so a crash loses nothing.
class CRecentFileList : public QObject
{
    Q_OBJECT

public:
    static constexpr char kSection[] = "Recent File List";

    explicit CRecentFileList(int maxSize, QObject* parent = nullptr);

    int GetSize() const { return int(m_paths.size()); }
    int GetMaxSize() const { return m_nMaxSize; }
    QString GetAt(int index) const { return m_paths.value(index); }
    const QStringList& Paths() const { return m_paths; }

    // Puts path (made absolute) at the top; the oldest drops off when full.
    void Add(const QString& path);
    void Remove(const QString& path);

    // The menu text of entry index: "&1 ~/lists/names.qzn", shortened in the
    // middle when long, ampersands kept literal.
    QString MenuText(int index) const;

Q_SIGNALS:
    void Changed();

private:
    void Load();
    void Save() const;

    int m_nMaxSize;
    QStringList m_paths;
};
