#pragma once

#include <QDialog>
#include <QList>

class ColorLabel;
class QComboBox;

// "Ajout d'une année" (mode 0) and "Modification d'une année" (mode 1): the ratings of the nine regions for
// a year. Saving refreshes the vintage table, the page and the entry page's rating.
class VintageYearDialog : public QDialog
{
    Q_OBJECT
public:
    VintageYearDialog(QWidget* parent, int mode, int currentYear = 0);

    void yearChosen();
    void applyAndClose();

    QComboBox* yearList() const { return m_year; }
    QComboBox* regionList(int region) const { return m_regions.value(region); }
    ColorLabel* label() const { return m_label; }

private:
    int m_mode;
    ColorLabel* m_label = nullptr;
    QComboBox* m_year = nullptr;
    QList<QComboBox*> m_regions;
};
