#include "widgets/OpenInBrowser.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

BrowserOpener& TestOpener()
{
    static BrowserOpener opener;
    return opener;
}

bool StartDetached(const QString& program, const QStringList& arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

}

QUrl BrowserUrlFor(const QString& target)
{
    static const QRegularExpression scheme(QStringLiteral("^(https?|file|mailto):"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool OpenWithXdgOpen(const QUrl& url, const QString& program)
{
    return StartDetached(program, {url.toString(QUrl::FullyEncoded)});
}

bool OpenWithBrowserVariable(const QUrl& url, const QString& browserVariable)
{
    const QString address = url.toString(QUrl::FullyEncoded);
    for (const QString& command : browserVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        QStringList words = QProcess::splitCommand(command);
        if (words.isEmpty())
            continue;
        bool placed = false;
        for (QString& word : words) {
            if (word.contains(QLatin1String("%s"))) {
                word.replace(QLatin1String("%s"), address);
                placed = true;
            }
        }
        if (!placed)
            words.append(address);
        const QString program = words.takeFirst();
        if (StartDetached(program, words))
            return true;
    }
    return false;
}

bool OpenInBrowser(const QString& target)
{
    if (target.isEmpty())
        return false;
    const QUrl url = BrowserUrlFor(target);
    if (!url.isValid())
        return false;
    if (const BrowserOpener& opener = TestOpener())
        return opener(url);
    return QDesktopServices::openUrl(url) || OpenWithXdgOpen(url)
        || OpenWithBrowserVariable(url, qEnvironmentVariable("BROWSER"));
}

void SetBrowserOpenerForTests(BrowserOpener opener)
{
    TestOpener() = std::move(opener);
}
