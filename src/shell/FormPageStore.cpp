#include "shell/FormPageStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

namespace {

constexpr char kPattern[] = "form-XXXXXX.htm";
constexpr auto kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// path as a folder that only the user may enter.
bool MakePrivateFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return false;
    QFile folder(path);
    return folder.setPermissions(kOwnerOnly) && (folder.permissions() & kOwnerOnly) == kOwnerOnly;
}

}

CFormPageStore::CFormPageStore(QObject* parent, std::chrono::milliseconds lifetime)
    : QObject(parent), m_lifetime(lifetime)
{
}

CFormPageStore::~CFormPageStore()
{
    for (const QString& path : std::as_const(m_pages))
        QFile::remove(path);
}

QString CFormPageStore::Folder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && MakePrivateFolder(runtime + QStringLiteral("/telvaro-forms")))
        return runtime + QStringLiteral("/telvaro-forms");
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty() && MakePrivateFolder(cache + QStringLiteral("/forms")))
        return cache + QStringLiteral("/forms");
    return {};
}

QString CFormPageStore::Create(const QByteArray& page)
{
    const QString folder = Folder();
    if (folder.isEmpty())
        return {};
    SweepOldPages(folder);
    // A temporary file is made for the user alone (0600), under a name
    // nobody can guess beforehand.
    QTemporaryFile file(folder + QLatin1Char('/') + QLatin1String(kPattern));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    const QString path = file.fileName();
    const bool written = file.write(page) == page.size() && file.flush();
    file.close();
    if (!written) {
        QFile::remove(path);
        return {};
    }
    m_pages << path;
    QTimer::singleShot(m_lifetime, this, [this, path] { Remove(path); });
    return path;
}

void CFormPageStore::Remove(const QString& path)
{
    QFile::remove(path);
    m_pages.removeOne(path);
}

void CFormPageStore::SweepOldPages(const QString& folder) const
{
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-qint64(kLifetime.count()));
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("form-*.htm")}, QDir::Files)) {
        if (info.lastModified() < before && !m_pages.contains(info.absoluteFilePath()))
            QFile::remove(info.absoluteFilePath());
    }
}
