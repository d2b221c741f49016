#include "base/TextHistory.h"

#include "base/Profile.h"

#include <QSettings>

#include <algorithm>
#include <vector>

namespace {

// The section's store object. Profile.h opens one per value; a history is
// read and written as a whole, in one go.
class SectionSettings : public QSettings
{
public:
    explicit SectionSettings(const char* section)
        : QSettings(QStringLiteral("Telvaro"), QStringLiteral("Telvaro"))
    {
        beginGroup(QString::fromLatin1(section));
    }
};

// The numbers of the entries the section really holds within 1..count, in
// order. Going by the stored keys rather than counting up to "Count" keeps
// a damaged count from costing billions of reads.
std::vector<int> StoredEntryNumbers(const QSettings& settings, int count)
{
    std::vector<int> numbers;
    for (const QString& key : settings.childKeys()) {
        bool ok = false;
        const int n = key.toInt(&ok);
        // Only the plain spelling counts: "01" is not entry 1.
        if (ok && n >= 1 && n <= count && key == QString::number(n))
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Trims the same white space as the byte strings the keyword is built into.
QString TrimAscii(const QString& text)
{
    auto isSpace = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isSpace(text[first]))
        ++first;
    while (last > first && isSpace(text[last - 1]))
        --last;
    return text.sliced(first, last - first);
}

}

QStringList LoadTextHistory(const char* section)
{
    const int count = GetProfileInt(section, "Count", 0);
    const SectionSettings settings(section);
    QStringList items;
    for (int n : StoredEntryNumbers(settings, count)) {
        const QString text = settings.value(QString::number(n)).toString();
        if (!text.isEmpty())
            items.append(text);
    }
    return items;
}

bool SaveTextHistory(QStringList& items, const QString& text, const char* section)
{
    const QString entry = TrimAscii(text);
    if (entry.isEmpty())
        return false;
    const auto same = std::find_if(items.begin(), items.end(), [&entry](const QString& item) {
        return item.compare(entry, Qt::CaseInsensitive) == 0;
    });
    if (same != items.end())
        items.erase(same);
    else if (items.size() > kTextHistoryLimit)
        items.removeLast();
    items.prepend(entry);

    SectionSettings settings(section);
    for (qsizetype i = 0; i < items.size(); ++i)
        settings.setValue(QString::number(i + 1), items[i]);
    settings.setValue(QStringLiteral("Count"), int(items.size()));
    return true;
}
