#include "names/KeywordHistory.h"

#include "base/TextHistory.h"

#include <QComboBox>

void LoadKeywordHistory(QComboBox* combo, const char* section)
{
    combo->clear();
    combo->addItems(LoadTextHistory(section));
}

void SaveKeywordHistory(QComboBox* combo, const char* section)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    if (!SaveTextHistory(items, combo->currentText(), section))
        return;
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(0);
}
