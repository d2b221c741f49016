#include "shell/WebForm.h"

#include <QUrl>

namespace {

// The form encoding browsers use: letters, digits and "*-._" stay, a space
// becomes "+", every other byte of the UTF-8 text "%XX".
QByteArray FormEncoded(const QByteArray& latin1)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray out;
    for (const char c : QString::fromLatin1(latin1).toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '*' || u == '-' ||
            u == '.' || u == '_') {
            out += c;
        } else if (u == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    return out;
}

QByteArray Escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

}

CWebForm CWebForm::TrademarkSearch(const QString& address, QByteArrayView label)
{
    return {address,
            {{"DBSELECT2", "ALL"},
             {"QUERY", label.toByteArray()},
             {"SEARCH_TYPE", "ALL"},
             {"DEFAULT_FIELD", "MS"},
             {"ELEMENT_SET", "F"}}};
}

CWebForm CWebForm::PaymentStatus(const QString& address, QByteArrayView name)
{
    return {address, {{"EntityType", "domain"}, {"EntityName", name.toByteArray()}}};
}

bool CWebForm::HasWebAddress() const
{
    const QUrl url(m_strAddress, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

QByteArray CWebForm::Body() const
{
    QByteArray body;
    for (const Field& field : m_fields) {
        if (!body.isEmpty())
            body += '&';
        body += FormEncoded(field.first) + '=' + FormEncoded(field.second);
    }
    return body;
}

QByteArray CWebForm::Page() const
{
    QByteArray page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Telvaro</title></head>\n"
        "<body onload=\"document.forms[0].submit()\">\n"
        "<form method=\"post\" enctype=\"application/x-www-form-urlencoded\" action=\"" +
        Escaped(m_strAddress) + "\">\n";
    for (const Field& field : m_fields) {
        page += "<input type=\"hidden\" name=\"" + Escaped(QString::fromLatin1(field.first)) + "\" value=\"" +
                Escaped(QString::fromLatin1(field.second)) + "\">\n";
    }
    page += "<noscript><p>Your browser does not run scripts: press the button to send the form.</p>"
            "<p><input type=\"submit\" value=\"Send\"></p></noscript>\n"
            "</form>\n</body></html>\n";
    return page;
}
