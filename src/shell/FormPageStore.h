#pragma once

#include <QObject>
#include <QStringList>

#include <chrono>

// The local pages handed to the browser for form posts. They live in the
// user's runtime folder (or, without one, the cache), in a folder only the
// user can enter, each readable only by the user, and are removed once the
// browser has had time to read them, and at the latest when the store goes.
// Pages an earlier run left behind are swept when the next is made.
class CFormPageStore : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kLifetime = std::chrono::minutes(5);

    explicit CFormPageStore(QObject* parent = nullptr, std::chrono::milliseconds lifetime = kLifetime);
    ~CFormPageStore() override;

    // Writes page to a new file; its path, or empty when none could be made.
    QString Create(const QByteArray& page);
    // The folder the pages go to, made when needed; empty when neither
    // place can hold it.
    static QString Folder();

    // The pages made and not yet removed.
    const QStringList& Pages() const { return m_pages; }

private:
    void Remove(const QString& path);
    void SweepOldPages(const QString& folder) const;

    std::chrono::milliseconds m_lifetime;
    QStringList m_pages;
};
