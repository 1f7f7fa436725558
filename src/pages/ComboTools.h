#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// Lists of the pages' drop-downs.
namespace ComboTools {

// Replaces the items, sorted as the user reads them (a sorted drop-down list).
void setSortedItems(QComboBox* combo, QStringList items);
// Selects the first item that begins with text (without regard to case), else the first item.
void selectStartingWith(QComboBox* combo, const QString& text);
// Selects the item equal to text; when there is none, adds it first so that the value is kept.
void selectKeeping(QComboBox* combo, const QString& text);

} // namespace ComboTools
