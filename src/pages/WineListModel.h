#pragma once

#include "pages/WineListQuery.h"

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

    void setRows(std::vector<WineRow> rows);
    void clear();
    const WineRow& row(int r) const { return m_rows.at(static_cast<size_t>(r)); }
    // Display text of a cell, as the list shows it.
    QString text(int row, int column) const;
    void setCounts(int row, qint64 stock, qint64 bought, double price);
    void removeLot(int row);
    int rowOfIndex(qint64 index) const;

private:
    std::vector<WineRow> m_rows;
};
