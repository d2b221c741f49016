#include "shell/PaymentQuestion.h"

namespace {

// A line a server sends may be of any length; a question shows this much.
constexpr qsizetype kMaxQuoted = 300;

constexpr char kExpiresQuestion[] =
    "As per the domain name records this domain %1\r\n\r\nDo you want to try the payment status at Network "
    "Solutions.?\r\n";
constexpr char kExpiryQuestion[] =
    "The domain name records contain this.\r\n%1\r\n\r\nDo you want to try the payment status at Network "
    "Solutions.?\r\n";

// The lower-cased answer from marker to the end of its line; empty when
// the marker is missing or no line end follows it.
QByteArray QuotedLine(const QByteArray& lower, const char* marker, bool* found)
{
    const qsizetype from = lower.indexOf(marker);
    *found = from >= 0;
    if (from < 0)
        return {};
    const qsizetype end = lower.indexOf("\r\n", from);
    if (end < 0)
        return {};
    QByteArray line = lower.mid(from, end - from);
    if (line.size() > kMaxQuoted)
        line = line.first(kMaxQuoted) + "...";
    return line;
}

}

QString PaymentQuestion(const QByteArray& whois)
{
    const QByteArray lower = whois.toLower();
    bool found = false;
    QByteArray line = QuotedLine(lower, "expires", &found);
    const char* question = kExpiresQuestion;
    if (!found) {
        line = QuotedLine(lower, "expiry", &found);
        question = kExpiryQuestion;
    }
    if (line.isEmpty())
        return {};
    QString text = QString::fromLatin1(question).arg(QString::fromLatin1(line)) + QString::fromLatin1(kPaymentRegistrarWarning);
    if (whois.contains("Registrar: NETWORK SOLUTIONS, INC."))
        text.remove(QString::fromLatin1(kPaymentRegistrarWarning));
    return text;
}
