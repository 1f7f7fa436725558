#include "pages/ComboTools.h"

#include <QComboBox>
#include <algorithm>

namespace ComboTools {

void setSortedItems(QComboBox* combo, QStringList items)
{
    std::sort(items.begin(), items.end(),
              [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    combo->clear();
    combo->addItems(items);
}

void selectStartingWith(QComboBox* combo, const QString& text)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void selectKeeping(QComboBox* combo, const QString& text)
{
    int index = combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0) {
        combo->insertItem(0, text);
        index = 0;
    }
    combo->setCurrentIndex(index);
}

} // namespace ComboTools
