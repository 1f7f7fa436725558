#pragma once

#include "reference/Library.h"

#include <QAbstractTableModel>

// The rows of the library page: "Vignoble" (the wine type) and "Nom du Vin" (the appellation).
class LibraryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void setRows(std::vector<Library::Row> rows);
    const Library::Row& row(int r) const { return m_rows[static_cast<size_t>(r)]; }

private:
    std::vector<Library::Row> m_rows;
};
