#pragma once

#include <QString>

// The settings store: sections and value names as the program has always
// used them, kept by QSettings (organisation and application "Telvaro") in
// $XDG_CONFIG_HOME/Telvaro/Telvaro.conf. Values are read at the moment of
// use, never cached. Most code reads them through the table in Settings.h.

int GetProfileInt(const char* section, const char* entry, int defaultValue);
QString GetProfileString(const char* section, const char* entry, const QString& defaultValue = {});
void WriteProfileInt(const char* section, const char* entry, int value);
void WriteProfileString(const char* section, const char* entry, const QString& value);
