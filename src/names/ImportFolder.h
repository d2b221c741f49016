#pragma once

#include <QString>

// The folder that text-file imports start in ("Path"/"TXT", shared by the
// name, word and whois-server imports). It is stored as the folder of the
// last chosen file followed by "/*.TXT"; the user's home folder when none
// is remembered.
QString GetImportFolder();

// Remembers the folder of chosenFile for the next import.
void RememberImportFolder(const QString& chosenFile);
