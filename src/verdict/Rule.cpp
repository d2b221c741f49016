#include "verdict/Rule.h"

#include "verdict/PhraseMatcher.h"

#include <array>
#include <utility>

namespace {

// No server needs us to wait longer than a day; a larger number is noise.
constexpr int kMaxWaitSeconds = 86400;

constexpr std::array<std::pair<RuleKind, const char*>, 6> kKindWords = {{
    {RuleKind::Free, "free"},
    {RuleKind::Taken, "taken"},
    {RuleKind::Limit, "limit"},
    {RuleKind::NoService, "noservice"},
    {RuleKind::Wait, "wait"},
    {RuleKind::End, "end"},
}};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

// A wait phrase as an expression: blanks match any white space, "#" the
// number of seconds, "^" and "$" at the ends tie it to a line.
QString WaitPhraseExpression(QByteArrayView text)
{
    QString re;
    if (text.startsWith('^')) {
        re += QStringLiteral("^[ \\t]*");
        text = text.sliced(1);
    }
    const bool lineEnd = text.endsWith('$');
    if (lineEnd)
        text.chop(1);
    bool blank = false;
    for (char c : text) {
        if (IsSpace(c)) {
            blank = true;
            continue;
        }
        if (blank)
            re += QStringLiteral("\\s+");
        blank = false;
        if (c == '#')
            re += QStringLiteral("(\\d{1,9})");
        else
            re += QRegularExpression::escape(QString(QLatin1Char(c)));
    }
    if (lineEnd)
        re += QStringLiteral("[ \\t\\r]*$");
    return re;
}

bool Compile(const QString& expression, CRule* rule, QString* error)
{
    rule->m_re = QRegularExpression(expression, QRegularExpression::CaseInsensitiveOption |
                                                    QRegularExpression::MultilineOption);
    if (!rule->m_re.isValid()) {
        *error = QStringLiteral("bad pattern: %1").arg(rule->m_re.errorString());
        return false;
    }
    // Compiled now, so matching from many threads only reads it.
    rule->m_re.optimize();
    return true;
}

}

bool CRule::KindFromWord(QByteArrayView word, RuleKind* kind)
{
    for (const auto& [k, w] : kKindWords) {
        if (word == QByteArrayView(w)) {
            *kind = k;
            return true;
        }
    }
    return false;
}

QByteArrayView CRule::WordOfKind(RuleKind kind)
{
    for (const auto& [k, w] : kKindWords) {
        if (k == kind)
            return w;
    }
    return "?";
}

bool CRule::Make(RuleKind kind, QByteArrayView text, int line, CRule* rule, QString* error)
{
    rule->m_nKind = kind;
    rule->m_strText = text.toByteArray();
    rule->m_nLine = line;
    rule->m_bPattern = text.size() >= 2 && text.startsWith('/') && text.endsWith('/');
    if (rule->m_bPattern) {
        const QString expression = QString::fromLatin1(text.sliced(1, text.size() - 2));
        if (expression.isEmpty()) {
            *error = QStringLiteral("empty pattern");
            return false;
        }
        if (!Compile(expression, rule, error))
            return false;
        if (kind == RuleKind::Wait && rule->m_re.captureCount() != 1) {
            *error = QStringLiteral("a wait pattern needs exactly one ( ) group for the seconds");
            return false;
        }
        if (kind == RuleKind::End) {
            *error = QStringLiteral("an end rule takes a phrase, not a pattern");
            return false;
        }
        return true;
    }
    const bool lineStart = text.startsWith('^');
    const bool lineEnd = text.endsWith('$') && text.size() > (lineStart ? 1 : 0);
    const QByteArrayView inner = text.sliced(lineStart ? 1 : 0, text.size() - (lineStart ? 1 : 0) - (lineEnd ? 1 : 0));
    const QByteArray words = CPhraseMatcher::Tokens(inner, false, false);
    if (words.isEmpty()) {
        *error = QStringLiteral("empty phrase");
        return false;
    }
    if (kind == RuleKind::Wait) {
        if (words.count('#') != 1) {
            *error = QStringLiteral("a wait phrase needs exactly one # for the seconds");
            return false;
        }
        return Compile(WaitPhraseExpression(text), rule, error);
    }
    rule->m_strTokens = CPhraseMatcher::Tokens(inner, lineStart, lineEnd);
    return true;
}

int CRule::WaitSeconds(const QString& text) const
{
    const QRegularExpressionMatch m = m_re.match(text);
    if (!m.hasMatch())
        return -1;
    bool ok = false;
    const qlonglong seconds = m.captured(1).toLongLong(&ok);
    // A server's number is a stranger's number: whatever it says, the wait
    // stays within a day.
    if (!ok || seconds > kMaxWaitSeconds)
        return kMaxWaitSeconds;
    return seconds < 0 ? 0 : int(seconds);
}
