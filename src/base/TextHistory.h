#pragma once

#include <QString>
#include <QStringList>

// The remembered texts of a combo box (the keyword history, the find
// history), newest first, kept in a settings section of their own as
// "Count" and the entries "1" to "Count".

// A new text pushes out the last one only when more than this many are
// held, so a history holds at most one more.
inline constexpr int kTextHistoryLimit = 20;

// The texts kept in section, in stored order; empty entries are skipped.
QStringList LoadTextHistory(const char* section);

// Puts text, trimmed, at the top of items and writes all items to section.
// An item equal to it (ignoring case) is removed first; otherwise, when
// more than kTextHistoryLimit items are held, the last is dropped. An empty
// text leaves items and the store alone and gives false.
bool SaveTextHistory(QStringList& items, const QString& text, const char* section);
