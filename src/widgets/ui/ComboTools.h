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

// A stored value shown in a list: the first item that begins with it (without regard to case) is selected;
// a value that no item begins with is added first and selected, so that it is still shown. The value and
// the item chosen are remembered: value() gives the stored value back while that item stays selected, so an
// unchanged list never changes what is stored.
class StoredChoice
{
public:
    void select(QComboBox* combo, const QString& stored);
    // Shows the stored value as the item at index (the "no keeping" entry for 99, say).
    void selectIndex(QComboBox* combo, const QString& stored, int index);
    QString value() const;

private:
    QComboBox* m_combo = nullptr;
    QString m_stored;
    int m_index = -1;
};

} // namespace ComboTools
