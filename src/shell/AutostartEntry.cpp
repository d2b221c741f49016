#include "shell/AutostartEntry.h"

#include "shell/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString CAutostartEntry::Path()
{
    // Qt reads $XDG_CONFIG_HOME and falls back to ~/.config when it is
    // unset or not absolute, as the autostart rules say.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart/")
        + QString::fromLatin1(kFileName);
}

bool CAutostartEntry::Exists()
{
    return QFileInfo::exists(Path());
}

QByteArray CAutostartEntry::Text(const QString& program)
{
    // Nothing but the program: no arguments, no working folder, no icon.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Telvaro\n"
           "Comment=Telvaro\n"
           "Exec=" + CFileTypeRegistration::QuotedProgram(program).toUtf8() + "\n"
           "Terminal=false\n";
}

CResult CAutostartEntry::Create(const QString& program)
{
    const QString path = Path();
    const QByteArray text = Text(program);
    QSaveFile file(path);
    const bool written = QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly)
        && file.write(text) == text.size() && file.commit();
    return written ? CResult::Ok() : CResult::Failed(QString::fromLatin1(kCreateError));
}

void CAutostartEntry::Remove()
{
    // As before: whether it was there or could go is not the user's concern.
    QFile::remove(Path());
}
