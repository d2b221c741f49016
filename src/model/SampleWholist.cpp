#include "model/SampleWholist.h"

#include "model/TLDResources.h"
#include "shell/ProgramFolder.h"

#include <QFileInfo>
#include <QSaveFile>

QString GetSampleWholistPath()
{
    return GetProgramFolder() + QStringLiteral("wholist.txt");
}

bool InstallSampleWholist(QString* pError)
{
    const QString path = GetSampleWholistPath();
    // A dangling link counts as there: writing would replace the link.
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return true;

    QByteArray data;
    if (!ReadTLDResource(kSampleWholistResource, &data, pError))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (pError)
            *pError = QStringLiteral("Telvaro could not write the sample file \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
