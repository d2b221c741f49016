#include "verdict/RuleStore.h"

#include "base/ProgramFolder.h"
#include "verdict/RulePack.h"

#include <QFile>
#include <QFileInfo>

#include <mutex>
#include <utility>

// Q_INIT_RESOURCE must stand outside any namespace; a static library's
// resources are otherwise dropped at link time.
static void InitRulesResource()
{
    Q_INIT_RESOURCE(rules);
}

namespace {

std::mutex g_mutex;
std::shared_ptr<const CRulePack> g_pCurrent;

QString Problem(const QString& path, const QString& what)
{
    return QStringLiteral("Telvaro ignores the rules in \"%1\" and uses its own: %2").arg(path, what);
}

}

QString CRuleStore::UserFilePath()
{
    return GetProgramFolder() + QStringLiteral("telvaro.rules");
}

CRuleFile CRuleStore::ReadBundled()
{
    static std::once_flag once;
    std::call_once(once, InitRulesResource);
    QFile file(QStringLiteral(":/rules/telvaro.rules"));
    if (!file.open(QIODevice::ReadOnly)) {
        CRuleFile missing;
        missing.m_errors << QStringLiteral("the bundled rules are missing");
        return missing;
    }
    return CRuleFile::Parse(file.readAll(), QStringLiteral("bundled telvaro.rules"));
}

std::shared_ptr<const CRulePack> CRuleStore::Load(const QString& userPath, QStringList* messages)
{
    std::vector<CRuleFile> files;
    files.push_back(ReadBundled());
    if (!files.front().IsValid())
        *messages << QStringLiteral("Telvaro's own rules are damaged: ") + files.front().m_errors.join(QStringLiteral("; "));

    QFile user(userPath);
    if (!userPath.isEmpty() && user.exists()) {
        if (!user.open(QIODevice::ReadOnly)) {
            *messages << Problem(userPath, user.errorString());
        } else if (user.size() > CRuleFile::kMaxSize) {
            *messages << Problem(userPath, QStringLiteral("the file is larger than %1 bytes").arg(CRuleFile::kMaxSize));
        } else {
            CRuleFile parsed = CRuleFile::Parse(user.read(CRuleFile::kMaxSize + 1), QFileInfo(userPath).fileName());
            if (parsed.IsValid())
                files.push_back(std::move(parsed));
            else
                *messages << Problem(userPath, parsed.m_errors.join(QStringLiteral("; ")));
        }
    }

    QString error;
    const bool withUser = files.size() > 1;
    std::shared_ptr<const CRulePack> pack = CRulePack::Build(std::move(files), &error);
    if (!pack && withUser) {
        // The user's sections made a matcher too large: without them.
        *messages << Problem(userPath, error);
        std::vector<CRuleFile> bundled;
        bundled.push_back(ReadBundled());
        pack = CRulePack::Build(std::move(bundled), &error);
    }
    if (!pack) {
        *messages << QStringLiteral("Telvaro's own rules cannot be used: ") + error;
        pack = CRulePack::Build({}, &error);
    }
    return pack;
}

std::shared_ptr<const CRulePack> CRuleStore::Current()
{
    std::lock_guard lock(g_mutex);
    if (!g_pCurrent) {
        QStringList ignored;   // the bundled rules are tested; they load
        g_pCurrent = Load(QString(), &ignored);
    }
    return g_pCurrent;
}

void CRuleStore::Install(std::shared_ptr<const CRulePack> pack)
{
    // The old pack is released outside the lock: its last user may be this
    // thread, and freeing a pack takes a while.
    std::shared_ptr<const CRulePack> old;
    std::lock_guard lock(g_mutex);
    old = std::exchange(g_pCurrent, std::move(pack));
}

QStringList CRuleStore::Reload()
{
    QStringList messages;
    Install(Load(UserFilePath(), &messages));
    return messages;
}
