#pragma once

#include <QByteArray>
#include <QString>

// The actions of "telvaro-cli tld" beyond list, set and reset. Each returns
// the exit status or throws CCliError.

// Imports a "tld: whois server" file into the table, as the TLD setup
// dialog's import does, saves the table and prints what changed.
int ImportTLDFile(const QString& path);
// Deletes every row of that TLD (letter case ignored) and saves the table.
int DeleteTLD(const QByteArray& tld);
// Prints what the shipped snapshot knows of a TLD, and its row in the table.
int PrintTLDInfo(const QByteArray& tld);
