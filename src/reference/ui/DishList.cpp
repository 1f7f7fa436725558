#include "reference/ui/DishList.h"

#include <QItemSelectionModel>
#include <algorithm>

int DishListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_dishes.size());
}

QVariant DishListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const Dishes::Dish& dish = m_dishes[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return dish.name;
    if (role == Qt::UserRole)
        return dish.index;
    return QVariant();
}

void DishListModel::setDishes(std::vector<Dishes::Dish> dishes)
{
    beginResetModel();
    m_dishes = std::move(dishes);
    endResetModel();
}

int DishListModel::insertSorted(const Dishes::Dish& dish)
{
    const auto at = std::upper_bound(m_dishes.begin(), m_dishes.end(), dish, [](const auto& a, const auto& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    const int row = static_cast<int>(at - m_dishes.begin());
    beginInsertRows(QModelIndex(), row, row);
    m_dishes.insert(at, dish);
    endInsertRows();
    return row;
}

void DishListModel::removeAt(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_dishes.erase(m_dishes.begin() + row);
    endRemoveRows();
}

DishList::DishList(QWidget* parent) : QListView(parent), m_model(new DishListModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &DishList::dishSelected);
}

int DishList::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

const Dishes::Dish* DishList::selectedDish() const
{
    const int row = selectedRow();
    return row < 0 ? nullptr : &m_model->dishes()[static_cast<size_t>(row)];
}

void DishList::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

bool DishList::selectName(const QString& name)
{
    const auto& dishes = m_model->dishes();
    for (size_t i = 0; i < dishes.size(); ++i) {
        if (dishes[i].name == name) {
            selectRow(static_cast<int>(i));
            return true;
        }
    }
    return false;
}
