#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// A form the web commands send by POST: its address and its fields, in
// order. The browser is given a local page that holds the form and sends
// it by itself; every value is HTML-escaped in that page, and the browser
// URL-encodes it into the body, as Body() does.
class CWebForm
{
public:
    using Field = QPair<QByteArray, QByteArray>;

    // The trademark office's search for label.
    static CWebForm TrademarkSearch(const QString& address, QByteArrayView label);
    // The registrar's payment status of name.
    static CWebForm PaymentStatus(const QString& address, QByteArrayView name);

    // Only web addresses take a form; anything else has no page.
    bool HasWebAddress() const;
    // "NAME=VALUE&..." as application/x-www-form-urlencoded.
    QByteArray Body() const;
    // The local page that posts the form as soon as it is opened.
    QByteArray Page() const;

    QString m_strAddress;
    QList<Field> m_fields;
};
