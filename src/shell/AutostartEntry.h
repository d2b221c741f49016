#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

// "Run at login": an XDG autostart entry, telvaro.desktop in
// $XDG_CONFIG_HOME/autostart (usually ~/.config/autostart), that starts the
// program with no arguments when the user logs in.
class CAutostartEntry
{
public:
    static constexpr char kFileName[] = "telvaro.desktop";
    static constexpr char kCreateError[] = "Error creating Shortcut";

    static QString Path();
    static bool Exists();

    // Writes the entry for program (an absolute path), replacing any entry
    // there; the failure carries the message the user is shown.
    static CResult Create(const QString& program);
    // Removes the entry if there is one.
    static void Remove();

    // The entry's text.
    static QByteArray Text(const QString& program);
};
