#include "shell/FileTypeRegistration.h"

#include "commands/CommandIcons.h"
#include "widgets/ShellResources.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QByteArray ReadResource(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes data unless the file holds it already; true when it was written.
bool WriteIfChanged(const QString& path, const QByteArray& data, bool& ok)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == data)
        return false;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    ok = ok && written;
    return written;
}

QByteArray PngOfAppIcon(int size)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    RenderAppIcon(size).save(&buffer, "PNG");
    return png;
}

// Caches are a convenience of the desktop; their tools may be missing and
// must never hold up the start.
void RefreshCacheInBackground(const char* tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (!program.isEmpty())
        QProcess::startDetached(program, {folder});
}

}

QString CFileTypeRegistration::DataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString CFileTypeRegistration::QuotedProgram(const QString& program)
{
    // Inside quotes, ", `, $ and \ take a backslash; then the value itself
    // doubles every backslash, writes line breaks and tabs as escapes (a raw
    // one would end the line, and a path may hold one), and a lone % becomes %%.
    QString quoted;
    for (QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    quoted.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    quoted.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CFileTypeRegistration::ExecLine(const QString& program)
{
    return QuotedProgram(program) + QStringLiteral(" %f");
}

bool CFileTypeRegistration::IsInstalled(const QString& program)
{
    const QDir bin = QFileInfo(program).absoluteDir();
    return QFileInfo::exists(bin.filePath(QStringLiteral("../share/applications/") + QString::fromLatin1(kDesktopFile)));
}

bool CFileTypeRegistration::Register(const QString& program)
{
    InitShellResources();
    const QString data = DataHome();
    if (data.isEmpty())
        return false;
    bool ok = true;

    QByteArray desktop = ReadResource(QStringLiteral(":/desktop/telvaro.desktop"));
    desktop.replace("@EXEC@", ExecLine(program).toUtf8());
    const QString applications = data + QStringLiteral("/applications");
    const bool desktopChanged = WriteIfChanged(applications + QLatin1Char('/') + QString::fromLatin1(kDesktopFile), desktop, ok);

    const QString mime = data + QStringLiteral("/mime");
    const bool mimeChanged = WriteIfChanged(mime + QStringLiteral("/packages/") + QString::fromLatin1(kMimeFile),
                                            ReadResource(QStringLiteral(":/desktop/telvaro-qzn.xml")), ok);

    for (int size : {48, 128, 256}) {
        const QString icon = QStringLiteral("%1/icons/hicolor/%2x%2/apps/telvaro.png").arg(data).arg(size);
        WriteIfChanged(icon, PngOfAppIcon(size), ok);
    }

    if (mimeChanged)
        RefreshCacheInBackground("update-mime-database", mime);
    if (desktopChanged || mimeChanged)
        RefreshCacheInBackground("update-desktop-database", applications);
    return ok;
}
