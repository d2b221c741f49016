#include "model/DomainPadFile.h"

#include "base/ProgramFolder.h"
#include "model/Archive.h"
#include "model/DomainPadList.h"

#include <QFile>
#include <QSaveFile>

QString GetDomainPadPath()
{
    return GetProgramFolder() + QStringLiteral("dpad.dp");
}

namespace {

// Moves the unreadable file out of the way of the next save and says what
// became of it, to end the warning about it.
QString SetAside(const QString& path)
{
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile file(path);
    if (file.rename(aside))
        return QStringLiteral(" The damaged file was kept as \"%1\".").arg(aside);
    return QStringLiteral(" It could not be kept aside (%1), so it will be replaced when Telvaro ends.")
        .arg(file.errorString());
}

}

CResult LoadDomainPad(CDomainPadList& pad, const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        pad.SetNames({});
        pad.UpdateItemCount();
        return CResult::Ok();
    }
    QByteArray data;
    bool read = file.open(QIODevice::ReadOnly);
    if (read) {
        data = file.readAll();
        read = file.error() == QFileDevice::NoError;
    }
    if (!read) {
        const QString reason = file.errorString();
        file.close();
        pad.SetNames({});
        pad.UpdateItemCount();
        return CResult::Ok(QStringLiteral("Telvaro could not read the Domain Pad file \"%1\": %2. The pad starts "
                                          "empty.")
                               .arg(path, reason) +
                           SetAside(path));
    }
    file.close();
    CArchive ar{QByteArrayView(data)};
    try {
        pad.Load(ar);
    } catch (const CArchiveException& e) {
        return CResult::Ok(e.Describe(path) +
                           QStringLiteral(" The Domain Pad keeps the %1 names read before the damage.").arg(pad.GetSize()) +
                           SetAside(path));
    }
    return CResult::Ok();
}

CResult SaveDomainPad(const CDomainPadList& pad, const QString& path)
{
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        CArchive ar(&file);
        pad.Store(ar);
        written = ar.Flush();
    }
    if (!written || !file.commit()) {
        return CResult::Failed(QStringLiteral("Telvaro could not save the Domain Pad to \"%1\": %2. The file on disk "
                                              "was not changed.")
                                   .arg(path, file.errorString()));
    }
    return CResult::Ok();
}
