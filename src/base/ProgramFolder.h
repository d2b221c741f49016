#pragma once

#include <QString>

// The folder of Telvaro's own files (qzn.tld, word lists, watchlog.txt,
// dpad.dp): $TELVARO_HOME when set, else the per-user data folder
// (~/.local/share/Telvaro/). Created on demand; always ends with '/'.
QString GetProgramFolder();
