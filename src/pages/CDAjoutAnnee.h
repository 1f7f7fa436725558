#pragma once

#include <QDialog>
#include <QList>

class CColorStaticST;
class QComboBox;

// "Ajout d'une année" (mode 0) and "Modification d'une année" (mode 1): the ratings of the nine regions for
// a year. Saving refreshes the vintage table, the page and the entry page's rating.
class CDAjoutAnnee : public QDialog
{
    Q_OBJECT
public:
    CDAjoutAnnee(QWidget* parent, int mode, int currentYear = 0);

    void OnSelchangeCbannee();
    void OnOK();

    QComboBox* yearList() const { return m_year; }
    QComboBox* regionList(int region) const { return m_regions.value(region); }
    CColorStaticST* label() const { return m_label; }

private:
    int m_mode;
    CColorStaticST* m_label = nullptr;
    QComboBox* m_year = nullptr;
    QList<QComboBox*> m_regions;
};
