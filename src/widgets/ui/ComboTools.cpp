#include "widgets/ui/ComboTools.h"

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

void StoredChoice::select(QComboBox* combo, const QString& stored)
{
    int index = -1;
    for (int i = 0; i < combo->count() && index < 0; ++i) {
        const QString item = combo->itemText(i);
        if (stored.isEmpty() ? item.isEmpty() : item.startsWith(stored, Qt::CaseInsensitive))
            index = i;
    }
    if (index < 0) {
        combo->insertItem(0, stored);
        index = 0;
    }
    selectIndex(combo, stored, index);
}

void StoredChoice::selectIndex(QComboBox* combo, const QString& stored, int index)
{
    m_combo = combo;
    m_stored = stored;
    m_index = index;
    combo->setCurrentIndex(index);
}

QString StoredChoice::value() const
{
    if (!m_combo)
        return QString();
    return m_combo->currentIndex() == m_index ? m_stored : m_combo->currentText();
}

} // namespace ComboTools
