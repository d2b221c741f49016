#include "verdict/RuleFile.h"

#include "base/TextCompare.h"

#include <QHash>

namespace {

constexpr int kMaxErrors = 10;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView Trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && IsSpace(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && (IsSpace(v.back()) || v.back() == '\r'))
        v.chop(1);
    return v;
}

std::vector<QByteArrayView> Words(QByteArrayView v)
{
    std::vector<QByteArrayView> words;
    qsizetype i = 0;
    while (i < v.size()) {
        while (i < v.size() && IsSpace(v[i]))
            ++i;
        const qsizetype start = i;
        while (i < v.size() && !IsSpace(v[i]))
            ++i;
        if (i > start)
            words.push_back(v.sliced(start, i - start));
    }
    return words;
}

// Host names and TLDs: letters, digits, '-' and '.', as DNS writes them.
bool IsDnsName(QByteArrayView v)
{
    if (v.isEmpty() || v.front() == '.' || v.back() == '.')
        return false;
    for (char c : v) {
        const char l = AsciiLower(c);
        if (!((l >= 'a' && l <= 'z') || (l >= '0' && l <= '9') || l == '-' || l == '.'))
            return false;
    }
    return true;
}

QByteArray Lower(QByteArrayView v)
{
    QByteArray out = v.toByteArray();
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

class CParser
{
public:
    explicit CParser(CRuleFile& file) : m_file(file) {}

    void Line(QByteArrayView raw, int line)
    {
        m_nLine = line;
        if (raw.contains('\0'))
            return Error(QStringLiteral("holds a NUL byte; is this a rules file?"));
        const QByteArrayView text = Trimmed(raw);
        if (text.isEmpty() || text.startsWith('#'))
            return;
        if (text.startsWith('['))
            return Header(text);
        Rule(text);
    }

private:
    void Error(const QString& message)
    {
        if (m_file.m_errors.size() < kMaxErrors)
            m_file.m_errors << QStringLiteral("line %1: %2").arg(m_nLine).arg(message);
        else if (m_file.m_errors.size() == kMaxErrors)
            m_file.m_errors << QStringLiteral("further errors not listed");
    }

    void Header(QByteArrayView text)
    {
        m_pSection = nullptr;
        // The rules under a damaged header are not reported again.
        m_bSkipping = true;
        if (!text.endsWith(']'))
            return Error(QStringLiteral("a section header ends with ]"));
        const std::vector<QByteArrayView> words = Words(text.sliced(1, text.size() - 2));
        auto section = std::make_unique<CRuleSection>();
        section->m_nLine = m_nLine;
        if (words.size() == 1 && words[0] == "generic") {
            section->m_bGeneric = true;
        } else if (!words.empty() && words[0] == "server") {
            bool inTlds = false;
            for (size_t i = 1; i < words.size(); ++i) {
                QByteArrayView w = words[i];
                if (w == "tld" && !inTlds) {
                    inTlds = true;
                    continue;
                }
                if (inTlds && w.startsWith('.'))
                    w = w.sliced(1);
                if (!IsDnsName(w))
                    return Error(QStringLiteral("\"%1\" is not a host name or TLD").arg(QString::fromLatin1(w)));
                (inTlds ? section->m_tlds : section->m_hosts).push_back(Lower(w));
            }
            if (section->m_hosts.empty())
                return Error(QStringLiteral("a server section names at least one host"));
            if (inTlds && section->m_tlds.empty())
                return Error(QStringLiteral("\"tld\" is followed by at least one TLD"));
        } else {
            return Error(QStringLiteral("a section is [generic] or [server HOST ... tld TLD ...]"));
        }
        if (!ClaimKeys(*section))
            return;
        m_pSection = section.get();
        m_bSkipping = false;
        m_file.m_sections.push_back(std::move(section));
    }

    // Every host and TLD pair belongs to one section of a file.
    bool ClaimKeys(const CRuleSection& section)
    {
        std::vector<QByteArray> keys;
        if (section.m_bGeneric)
            keys.push_back(QByteArray());
        for (const QByteArray& host : section.m_hosts) {
            if (section.m_tlds.empty())
                keys.push_back(host);
            for (const QByteArray& tld : section.m_tlds)
                keys.push_back(host + ' ' + tld);
        }
        for (const QByteArray& key : keys) {
            if (const auto it = m_keys.constFind(key); it != m_keys.cend()) {
                Error(QStringLiteral("the section of line %1 already covers %2")
                          .arg(*it)
                          .arg(key.isEmpty() ? QStringLiteral("generic") : QString::fromLatin1(key)));
                return false;
            }
        }
        for (const QByteArray& key : keys)
            m_keys.insert(key, m_nLine);
        return true;
    }

    void Rule(QByteArrayView text)
    {
        qsizetype split = 0;
        while (split < text.size() && !IsSpace(text[split]))
            ++split;
        const QByteArrayView word = text.first(split);
        const QByteArrayView rest = Trimmed(text.sliced(split));
        if (word == "fallback")
            return Fallback(rest);
        RuleKind kind;
        if (!CRule::KindFromWord(word, &kind))
            return Error(QStringLiteral("unknown rule kind \"%1\"").arg(QString::fromLatin1(word)));
        if (!m_pSection)
            return m_bSkipping ? void() : Error(QStringLiteral("a rule stands inside a section"));
        CRule rule;
        QString error;
        if (!CRule::Make(kind, rest, m_nLine, &rule, &error))
            return Error(error);
        m_pSection->m_rules.push_back(std::move(rule));
    }

    void Fallback(QByteArrayView value)
    {
        if (!m_pSection && m_bSkipping)
            return;
        if (!m_pSection || m_pSection->m_bGeneric)
            return Error(QStringLiteral("fallback stands in a server section"));
        if (m_pSection->m_nFallback != FallbackMode::Unset)
            return Error(QStringLiteral("fallback is given once a section"));
        if (value == "all")
            m_pSection->m_nFallback = FallbackMode::All;
        else if (value == "taken")
            m_pSection->m_nFallback = FallbackMode::TakenOnly;
        else if (value == "none")
            m_pSection->m_nFallback = FallbackMode::None;
        else
            Error(QStringLiteral("fallback is all, taken or none"));
    }

    CRuleFile& m_file;
    CRuleSection* m_pSection = nullptr;
    bool m_bSkipping = false;
    QHash<QByteArray, int> m_keys;
    int m_nLine = 0;
};

}

CRuleFile CRuleFile::Parse(QByteArrayView text, const QString& name)
{
    CRuleFile file;
    file.m_strName = name;
    if (text.size() > kMaxSize) {
        file.m_errors << QStringLiteral("larger than %1 bytes; is this a rules file?").arg(kMaxSize);
        return file;
    }
    CParser parser(file);
    int line = 1;
    for (qsizetype from = 0; from <= text.size(); ++line) {
        qsizetype to = text.indexOf('\n', from);
        if (to < 0)
            to = text.size();
        parser.Line(text.sliced(from, to - from), line);
        from = to + 1;
    }
    return file;
}
