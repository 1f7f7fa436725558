#pragma once

#include "statistics/CellarStatistics.h"

#include <QAbstractTableModel>
#include <QDialog>

class QTableView;

// The rows of the ready-to-drink list: "Nom", "Type", "Appellation", "Millesime", "Stock", "Garde".
class ReadyModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    static constexpr int SortRole = Qt::UserRole;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void setWines(std::vector<CellarStatistics::ReadyWine> wines);
    const CellarStatistics::ReadyWine& wine(int row) const { return m_wines[static_cast<size_t>(row)]; }

private:
    std::vector<CellarStatistics::ReadyWine> m_wines;
};

// "Liste de vos vins étant arrivés a la fin de leur garde": the wines whose vintage + keeping time is not
// later than the current year (which a test may give).
class ReadyToDrinkDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ReadyToDrinkDialog(QWidget* parent = nullptr, int currentYear = 0);

    void fillList();
    QTableView* list() const { return m_list; }
    ReadyModel* model() const { return m_model; }

private:
    int m_year;
    ReadyModel* m_model = nullptr;
    QTableView* m_list = nullptr;
};
