#pragma once

#include <QByteArray>
#include <QString>

// The TLD snapshot and the sample import file, compiled into telvaro_core.
inline const QString kTLDSnapshotResource = QStringLiteral(":/tld/tlds.tsv");
inline const QString kSampleWholistResource = QStringLiteral(":/tld/wholist.txt");

// Makes the resources above available; a static library's resources are
// otherwise dropped at link time. Safe from any thread, any number of times.
void InitTLDResources();

// The whole content of one of the resources above; false and a message when
// it cannot be read.
bool ReadTLDResource(const QString& path, QByteArray* pData, QString* pError);
