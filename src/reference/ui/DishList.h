#pragma once

#include "reference/Dishes.h"

#include <QAbstractListModel>
#include <QListView>

// The dishes of a list, each kept with its IndexPlats: two dishes of one name stay two dishes.
class DishListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void setDishes(std::vector<Dishes::Dish> dishes);
    const std::vector<Dishes::Dish>& dishes() const { return m_dishes; }
    // Inserts a dish where the name sorts (without regard to case); returns its row.
    int insertSorted(const Dishes::Dish& dish);
    void removeAt(int row);

private:
    std::vector<Dishes::Dish> m_dishes;
};

// A list view over a DishListModel, one selection.
class DishList : public QListView
{
    Q_OBJECT
public:
    explicit DishList(QWidget* parent = nullptr);

    DishListModel* dishModel() const { return m_model; }
    void setDishes(std::vector<Dishes::Dish> dishes) { m_model->setDishes(std::move(dishes)); }
    const std::vector<Dishes::Dish>& dishes() const { return m_model->dishes(); }
    int count() const { return m_model->rowCount(); }
    // The selected row, or -1.
    int selectedRow() const;
    const Dishes::Dish* selectedDish() const;
    void selectRow(int row);
    // Selects the first dish of that name (false when there is none).
    bool selectName(const QString& name);

Q_SIGNALS:
    void dishSelected();

private:
    DishListModel* m_model;
};
