#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <cstdint>

enum class RuleKind : uint8_t
{
    Free,
    Taken,
    Limit,
    NoService,
    Wait,
    End,
};

// One line of a rules file: what an answer means when it holds a phrase or
// matches a pattern. Phrases are matched by the section's phrase matcher;
// patterns (written /like this/) and wait rules are compiled here, once.
class CRule
{
public:
    // The rule for kind and text as written; false with error when the text
    // is not a valid phrase or pattern.
    static bool Make(RuleKind kind, QByteArrayView text, int line, CRule* rule, QString* error);

    // "free", "taken", ... as written in a rules file; false for other words.
    static bool KindFromWord(QByteArrayView word, RuleKind* kind);
    static QByteArrayView WordOfKind(RuleKind kind);

    RuleKind m_nKind = RuleKind::Free;
    QByteArray m_strText;
    int m_nLine = 0;
    // For phrases: the matcher's tokens. For patterns and wait rules: the
    // compiled expression (a wait rule captures the seconds).
    QByteArray m_strTokens;
    QRegularExpression m_re;
    bool m_bPattern = false;
    // Filled in when the rule joins a pack: its name for the user and where
    // it was written.
    QString m_strName;
    QString m_strOrigin;

    bool IsPhrase() const { return !m_bPattern && m_nKind != RuleKind::Wait; }
    // The seconds a wait rule reads from text, or -1 when it does not match.
    int WaitSeconds(const QString& text) const;
};
