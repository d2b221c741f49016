#include "model/SampleWholist.h"

#include "model/TLDResources.h"
#include "base/ProgramFolder.h"

#include <QFileInfo>
#include <QSaveFile>

QString GetSampleWholistPath()
{
    return GetProgramFolder() + QStringLiteral("wholist.txt");
}

CResult InstallSampleWholist()
{
    const QString path = GetSampleWholistPath();
    // A dangling link counts as there: writing would replace the link.
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return CResult::Ok();

    QByteArray data;
    QString error;
    if (!ReadTLDResource(kSampleWholistResource, &data, &error))
        return CResult::Failed(error);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return CResult::Failed(QStringLiteral("Telvaro could not write the sample file \"%1\": %2").arg(path, file.errorString()));
    return CResult::Ok();
}
