#pragma once

#include <QDialog>

class DishList;
class QStandardItemModel;
class QTableView;

// "Suggestion pour un plat de vins": choose a dish, see the wine types and appellations suggested with it.
class WinesForDishDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WinesForDishDialog(QWidget* parent = nullptr);

    void fillControls();
    void dishChosen();
    void findWine(qint64 index);

    DishList* dishList() const { return m_dishes; }
    QTableView* wineList() const { return m_wines; }
    QStandardItemModel* wineModel() const { return m_model; }

private:
    DishList* m_dishes = nullptr;
    QStandardItemModel* m_model = nullptr;
    QTableView* m_wines = nullptr;
};
