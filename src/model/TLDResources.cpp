#include "model/TLDResources.h"

#include <QFile>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitOnce()
{
    Q_INIT_RESOURCE(tlddata);
}

void InitTLDResources()
{
    static const bool done = (InitOnce(), true);
    Q_UNUSED(done);
}

bool ReadTLDResource(const QString& path, QByteArray* pData, QString* pError)
{
    InitTLDResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (pError)
            *pError = QStringLiteral("Telvaro's built-in file \"%1\" cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    *pData = file.readAll();
    return true;
}
