#pragma once

#include "verdict/WhoisAnswer.h"
#include "verdict/RulePack.h"
#include "verdict/RuleStore.h"

#include <QByteArray>

#include <memory>
#include <ostream>
#include <vector>

// Rule packs and answers as the lookups see them, for the verdict tests.

// The bundled rules, with userRules (a rules file's text) laid over them.
inline std::shared_ptr<const CRulePack> PackWith(const QByteArray& userRules = QByteArray())
{
    std::vector<CRuleFile> files;
    files.push_back(CRuleStore::ReadBundled());
    if (!userRules.isEmpty())
        files.push_back(CRuleFile::Parse(userRules, QStringLiteral("telvaro.rules")));
    QString error;
    auto pack = CRulePack::Build(std::move(files), &error);
    return pack;
}

// Only the rules of text, without the bundled ones.
inline std::shared_ptr<const CRulePack> PackOf(const QByteArray& text)
{
    std::vector<CRuleFile> files;
    files.push_back(CRuleFile::Parse(text, QStringLiteral("test.rules")));
    QString error;
    return CRulePack::Build(std::move(files), &error);
}

// What the worker stores for a server's answer: the header line, line ends
// doubled, cleanup done.
inline QByteArray Stored(const QByteArray& host, const QByteArray& name, const QByteArray& serverText)
{
    QByteArray text = "WHOIS server: " + host + ", Domain: " + name + "\n\n" + serverText;
    ConvertLineEnds(text);
    RemoveAdvertising(text);
    CleanWhoisText(text);
    return text;
}

inline CVerdict Classify(const CRulePack& pack, const QByteArray& host, const QByteArray& name,
                         const QByteArray& serverText)
{
    return pack.Classify(Stored(host, name, serverText));
}

// Readable failures for the verdict texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
