#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The kinds of web site of the Construct Names dialog, in combo order. The
// index is what is stored ("Web Type") and what names the word files.
inline constexpr int kWebTypeCount = 6;
inline constexpr const char* kWebTypeNames[kWebTypeCount] = {
    "All", "Business", "Educational", "Fun", "Sports", "Custom"};
inline constexpr int kWebTypeCustom = 5;

// Which of a kind's two lists: the words padded before or after the keyword.
inline constexpr int kStartWordList = 1;
inline constexpr int kEndWordList = 2;

// What splits a loaded word text into words. The string has always listed
// comma and hyphen twice; tab, digits and '#' are not separators.
inline constexpr char kWordSeparators[] = " ,;:-\r\n~!@$%^&*()[]{}|\\/?><.\"+,-_='";
static_assert(sizeof(kWordSeparators) - 1 == 35);

// The fallback code of LoadWordList for one list of one kind.
constexpr int MakeWordListCode(int kind, int list)
{
    return kind * 256 + list;
}

// The built-in list (comma-separated, not normalised) of a kind; empty for
// "Custom" and for a kind or list that does not exist.
QByteArray GetBuiltInWordList(int kind, int list);

// Rebuilds text as its words in order, each followed by CR LF.
void NormalizeWordList(QByteArray& text);

// Reads the word file at path into text, normalised; an existing empty file
// gives an empty list. When the file cannot be opened, a non-zero code (see
// MakeWordListCode) puts that built-in list into text, while code 0 leaves
// text alone; either way the result is false.
bool LoadWordList(const QString& path, QByteArray& text, int code);

// Writes text to path byte for byte. It replaces the previous file only when
// the whole text was written; the result tells whether it was.
bool SaveWordList(const QString& path, const QByteArray& text);

// "qzn.1"/"qzn.2" for kind 0, "qzn<kind>.1"/"qzn<kind>.2" otherwise, in the
// program folder.
QString GetWordFilePath(int kind, int list);

// Both lists of a kind, from their files or the built-in lists.
void LoadWordLists(int kind, QByteArray& startWords, QByteArray& endWords);
// Stores both lists of a kind. A file that cannot be written is skipped
// silently, as the dialog has always done.
void SaveWordLists(int kind, const QByteArray& startWords, const QByteArray& endWords);
