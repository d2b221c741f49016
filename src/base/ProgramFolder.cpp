#include "base/ProgramFolder.h"

#include <QDir>
#include <QStandardPaths>

QString GetProgramFolder()
{
    QString folder = qEnvironmentVariable("TELVARO_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Telvaro");
    QDir().mkpath(folder);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
