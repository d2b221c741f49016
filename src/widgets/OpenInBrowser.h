#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Opens a web address or a local file in the user's browser: the desktop's
// own handler first, then xdg-open, then the commands in $BROWSER. Every
// program is started directly, never through a shell, so no part of the
// target is ever read as a command. Shows nothing; the result says whether
// some program took it.
bool OpenInBrowser(const QString& target);

// The address OpenInBrowser hands on: the target itself when it names a
// scheme (http:, https:, file:, mailto:), otherwise a local file.
QUrl BrowserUrlFor(const QString& target);

// One way of opening a URL; true when it was handed to a program.
using BrowserOpener = std::function<bool(const QUrl& url)>;

// Tests put a recorder in place of the real browser; an empty opener puts
// the real chain back.
void SetBrowserOpenerForTests(BrowserOpener opener);

// The steps of the chain, for tests of the chain itself.
bool OpenWithXdgOpen(const QUrl& url, const QString& program = QStringLiteral("xdg-open"));
// $BROWSER holds commands separated by ':'; "%s" in one stands for the URL,
// otherwise the URL is appended. The first that starts wins.
bool OpenWithBrowserVariable(const QUrl& url, const QString& browserVariable);
