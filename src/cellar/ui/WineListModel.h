#pragma once

#include "cellar/WineListQuery.h"

#include <QAbstractTableModel>
#include <vector>

// The rows of the wine list. Columns: "Nom", "Cru", "Propriétaire", "Stock", "Date d'achat", "Nbr Achat",
// " Prix unitée", "Millesime", then the lot index, keeping years, size and country code (kept, not shown).
class WineListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Nom,
        Cru,
        Proprietaire,
        Stock,
        DateAchat,
        NbrAchat,
        PrixUnite,
        Millesime,
        Index,
        Cote,
        Contenance,
        Nic,
        ColumnCount
    };
    // Role holding the value to sort by (numbers as numbers).
    static constexpr int SortRole = Qt::UserRole;

    explicit WineListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The list holds every row it is given but shows them to its view by pages, as it scrolls: a list of
    // thousands of lots costs its view no more than its first screen. Sorting orders every row, shown or
    // not (numbers as numbers, dates by year, month, day; column -1: the order given).
    static constexpr int kPageRows = 1000;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Every row held, shown yet or not.
    int allRows() const { return static_cast<int>(m_rows.size()); }
    // Shows the rows up to this one.
    void showUpTo(int row);

    void setRows(std::vector<WineRow> rows);
    void clear();
    const WineRow& row(int r) const { return m_rows.at(static_cast<size_t>(r)); }
    // Display text of a cell, as the list shows it.
    QString text(int row, int column) const;
    void setCounts(int row, qint64 stock, qint64 bought, double price);
    void removeLot(int row);
    int rowOfIndex(qint64 index) const;

private:
    static QString textOf(const WineRow& w, int column);
    static QVariant sortValue(const WineRow& w, int column);
    void sortRows();

    std::vector<WineRow> m_rows;
    int m_shown = 0;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
