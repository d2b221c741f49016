#include "names/ImportFolder.h"

#include "base/Settings.h"

#include <QDir>
#include <QFileInfo>

QString GetImportFolder()
{
    const QString stored = Settings::ImportPathTxt.Get();
    if (stored.isEmpty())
        return QDir::homePath();
    // The stored text ends in a file pattern; only its folder is wanted.
    return QFileInfo(stored).path();
}

void RememberImportFolder(const QString& chosenFile)
{
    const qsizetype slash = chosenFile.lastIndexOf(QLatin1Char('/'));
    Settings::ImportPathTxt.Set(slash < 0 ? chosenFile : chosenFile.left(slash + 1) + QStringLiteral("*.TXT"));
}
