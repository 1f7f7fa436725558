#include "reference/ui/LibraryModel.h"

int LibraryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const Library::Row& r = row(index.row());
    return index.column() == 0 ? r.type : r.appellation;
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section == 0 ? QStringLiteral("Vignoble") : QStringLiteral("Nom du Vin");
}

void LibraryModel::setRows(std::vector<Library::Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}
