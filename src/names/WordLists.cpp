#include "names/WordLists.h"

#include "names/Tokens.h"
#include "base/ProgramFolder.h"

#include <QFile>
#include <QSaveFile>

namespace {

struct BuiltInLists
{
    const char* m_pszStart;
    const char* m_pszEnd;
};

constexpr BuiltInLists kBuiltIn[kWebTypeCount] = {
    // All
    {"free,good,4,net,micro,desk,busy,",
     "e,web,net,pad,trix,view,link,time,city,media,jet,inc,intl,co,org,com,group,corp,tool,ware,"
     "book,ring,systems,sys,syst,soft,tron,scope,scape,pic,pik,trek,on,bay,edge,lock,tech,tek,"},
    // Business
    {"4,biggest,biz,busy,buy,e,good,largest,micro",
     "corp,sales,shop,biz,web,wide,net,pad,view,sell,plan,card,opportunity,directory,loan,review,"
     "services,news,letters,grant,school,ethics,form,business,investor,daily,finance,solution,"
     "broker,commerce,law,software,idea,management,association,proposal,communication,"
     "development,planning,intelligence,writing,company,consultant,strategy,valuation,wire,link,"
     "media,jet,inc,intl,co,org,com,group,tool,ware,book,ring,systems,sys,syst,soft,tron,scape,"
     "trek,on,bay,edge,lock,tech,tek,online"},
    // Educational
    {"e,learn,good,4,learn,study,about,allabout,know,knowabout",
     "school,study,coach,learning,city,pad,center,centre,tutor"},
    // Fun
    {"good,nice,fast", "jokes,joker,laugh,smile,jump,play,ground"},
    // Sports
    {"fast,quick,basketball,hockey,soccer,cricket,baseball,volleyball,running",
     "coach,run,trial,league,game,race"},
    // Custom
    {"", ""},
};

}

QByteArray GetBuiltInWordList(int kind, int list)
{
    if (kind < 0 || kind >= kWebTypeCount)
        return {};
    if (list == kStartWordList)
        return QByteArray(kBuiltIn[kind].m_pszStart);
    if (list == kEndWordList)
        return QByteArray(kBuiltIn[kind].m_pszEnd);
    return {};
}

void NormalizeWordList(QByteArray& text)
{
    const QByteArrayList words = SplitTokens(text, kWordSeparators);
    QByteArray result;
    qsizetype size = 0;
    for (const QByteArray& word : words)
        size += word.size() + 2;
    result.reserve(size);
    for (const QByteArray& word : words) {
        result += word;
        result += "\r\n";
    }
    text = std::move(result);
}

bool LoadWordList(const QString& path, QByteArray& text, int code)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        text = file.readAll();
        if (!text.isEmpty())
            NormalizeWordList(text);
        return true;
    }
    if (code != 0) {
        text = GetBuiltInWordList(code / 256, code % 256);
        if (!text.isEmpty())
            NormalizeWordList(text);
    }
    return false;
}

bool SaveWordList(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

QString GetWordFilePath(int kind, int list)
{
    const QString name = kind == 0 ? QStringLiteral("qzn.%1").arg(list)
                                   : QStringLiteral("qzn%1.%2").arg(kind).arg(list);
    return GetProgramFolder() + name;
}

void LoadWordLists(int kind, QByteArray& startWords, QByteArray& endWords)
{
    LoadWordList(GetWordFilePath(kind, kStartWordList), startWords,
                 MakeWordListCode(kind, kStartWordList));
    LoadWordList(GetWordFilePath(kind, kEndWordList), endWords, MakeWordListCode(kind, kEndWordList));
}

void SaveWordLists(int kind, const QByteArray& startWords, const QByteArray& endWords)
{
    SaveWordList(GetWordFilePath(kind, kStartWordList), startWords);
    SaveWordList(GetWordFilePath(kind, kEndWordList), endWords);
}
