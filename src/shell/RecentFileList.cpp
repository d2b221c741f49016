#include "shell/RecentFileList.h"

#include "base/Profile.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qsizetype kMaxShownChars = 48;

QByteArray EntryName(int index)
{
    return "File" + QByteArray::number(index + 1);
}

QString Absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}

CRecentFileList::CRecentFileList(int maxSize, QObject* parent) : QObject(parent), m_nMaxSize(maxSize)
{
    Load();
}

void CRecentFileList::Load()
{
    m_paths.clear();
    for (int i = 0; i < m_nMaxSize; ++i) {
        const QString path = GetProfileString(kSection, EntryName(i).constData());
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths.append(path);
    }
}

void CRecentFileList::Save() const
{
    for (int i = 0; i < m_nMaxSize; ++i)
        WriteProfileString(kSection, EntryName(i).constData(), m_paths.value(i));
}

void CRecentFileList::Add(const QString& path)
{
    const QString absolute = Absolute(path);
    if (!m_paths.isEmpty() && m_paths.first() == absolute)
        return;
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > m_nMaxSize)
        m_paths.removeLast();
    Save();
    Q_EMIT Changed();
}

void CRecentFileList::Remove(const QString& path)
{
    if (m_paths.removeAll(Absolute(path)) == 0)
        return;
    Save();
    Q_EMIT Changed();
}

QString CRecentFileList::MenuText(int index) const
{
    QString shown = m_paths.value(index);
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QLatin1String("/") && shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    if (shown.size() > kMaxShownChars) {
        // Keep the file name whole; shorten the folders.
        const QString name = QFileInfo(shown).fileName();
        const qsizetype keep = std::max<qsizetype>(kMaxShownChars - name.size() - 4, 8);
        shown = shown.left(keep) + QStringLiteral("\u2026/") + name;
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1) : QString::number(index + 1);
    return number + QLatin1Char(' ') + shown;
}
