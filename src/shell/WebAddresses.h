#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The addresses the web commands build from a domain name. The name is
// always percent-encoded where it goes into an address, so no character
// of it can end the address early or start a new part of it.

// "http://www.<name>": the name's would-be website.
QString WebsiteURL(QByteArrayView name);
// Every "{D}" of a favourite-registrar template replaced by the name in
// lower case; a template without "{D}" is returned as it is.
QString ExpandRegistrarURL(const QString& templ, QByteArrayView name);
// An address typed without a scheme ("www.example.com/...") as a web
// address, rather than the name of a local file.
QString WithWebScheme(const QString& address);
// The name up to its first dot (the whole name when it has none).
QByteArray TrademarkLabel(QByteArrayView name);
// A typed address as the TLD table stores it (8-bit text): characters
// beyond Latin-1 percent-encoded as UTF-8 rather than lost.
QByteArray StoredAddress(const QString& address);
