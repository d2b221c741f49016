#pragma once

#include "verdict/RuleFile.h"

#include <QString>
#include <QStringList>

#include <memory>

class CRulePack;

// Where the rule pack comes from and which pack is in use. Any thread may
// take the current pack; installing a new one never disturbs a worker that
// still classifies with the old one, which lives until its last user lets go.
class CRuleStore
{
public:
    // GetProgramFolder() + "telvaro.rules".
    static QString UserFilePath();
    // The rules compiled into the program.
    static CRuleFile ReadBundled();
    // The bundled rules with the file at userPath laid over them when it
    // exists. A damaged or unreadable user file is left out whole and named
    // in messages, one message a file, for the caller to show.
    static std::shared_ptr<const CRulePack> Load(const QString& userPath, QStringList* messages);

    // The pack in use: the last one installed, else the bundled rules alone.
    static std::shared_ptr<const CRulePack> Current();
    // Swaps pack in for every later Current(); null goes back to the
    // bundled rules alone.
    static void Install(std::shared_ptr<const CRulePack> pack);
    // Load(UserFilePath()) and Install; the messages of Load.
    static QStringList Reload();
};
