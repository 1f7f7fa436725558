#pragma once

#include "search/SearchQuery.h"

#include <QDialog>

class QGridLayout;
class ColorLabel;
class QComboBox;
class QLabel;
class QTableView;
class WineListModel;

// "Recherche d'un vin": the lots that match criteria (wine type, appellation, cru, size, vintages) or whose
// wine type suits a dish; a double-click shows where the bottles of a lot lie in the racks.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SearchDialog(QWidget* parent = nullptr);

    void refreshCombos();
    void fillDishes();
    void wineTypeChanged();
    void search();
    void clearCriteria();
    // The rack view on the lot of a result row (view row), as a double-click opens it.
    void showResultInRack(int viewRow);

    QComboBox* typeList() const { return m_type; }
    QComboBox* appellationList() const { return m_appellation; }
    QComboBox* cruList() const { return m_cru; }
    QComboBox* sizeList() const { return m_size; }
    QComboBox* fromList() const { return m_from; }
    QComboBox* toList() const { return m_to; }
    QComboBox* dishList() const { return m_dish; }
    QTableView* resultList() const { return m_results; }
    WineListModel* model() const { return m_model; }
    QLabel* emptyText() const { return m_empty; }
    // The CAVE.Index of the lot of a result row (view row), 0 when there is none.
    qint64 lotAt(int viewRow) const;

Q_SIGNALS:
    // The rack view on a lot; the dialog opens it itself unless something is connected here.
    void rackViewRequested(qint64 lot);

private:
    void buildLayout();
    QGridLayout* buildCriteria();
    void buildResults();
    static QString chosen(const QComboBox* combo);

    QComboBox* m_type = nullptr;
    QComboBox* m_appellation = nullptr;
    QComboBox* m_cru = nullptr;
    QComboBox* m_size = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QComboBox* m_dish = nullptr;
    ColorLabel* m_title = nullptr;
    WineListModel* m_model = nullptr;
    QTableView* m_results = nullptr;
    QLabel* m_empty = nullptr;
};
