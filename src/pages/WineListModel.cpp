#include "pages/WineListModel.h"

#include "pages/controls/Pictures.h"
#include "platform/LocaleFormat.h"

namespace {

const char* const kTitles[] = {
    "Nom", "Cru", "Propriétaire", "Stock", "Date d'achat", "Nbr Achat", " Prix unitée", "Millesime",
    "",    "",    "Contenance",   ""};

} // namespace

WineListModel::WineListModel(QObject* parent) : QAbstractTableModel(parent) {}

int WineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int WineListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString WineListModel::text(int r, int column) const
{
    const WineRow& w = m_rows.at(static_cast<size_t>(r));
    switch (column) {
    case Nom:
        return w.nomVin;
    case Cru:
        return w.cru;
    case Proprietaire:
        return w.proprietaire;
    case Stock:
        return QString::number(w.stock);
    case DateAchat:
        return w.dateAchat;
    case NbrAchat:
        return QString::number(static_cast<qint64>(w.nbrAchat));
    case PrixUnite:
        // A lot with no bottle bought has no unit price.
        return w.nbrAchat != 0 ? LocaleFormat::fixed(w.prixAchat / w.nbrAchat, 2) : QString();
    case Millesime:
        return QString::number(w.millesime);
    case Index:
        return QString::number(w.index);
    case Cote:
        return QString::number(w.cote);
    case Contenance:
        return w.contenance;
    case Nic:
        return w.nic;
    default:
        return QString();
    }
}

QVariant WineListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const WineRow& w = m_rows.at(static_cast<size_t>(index.row()));
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::DecorationRole:
        return index.column() == Nom ? QVariant(Pictures::listIcon(w.etat)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Nom || index.column() == Proprietaire ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                                       : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case SortRole:
        switch (index.column()) {
        case Stock:
            return w.stock;
        case NbrAchat:
            return w.nbrAchat;
        case PrixUnite:
            return w.nbrAchat != 0 ? w.prixAchat / w.nbrAchat : 0.0;
        case Millesime:
            return w.millesime;
        case DateAchat: // dd/mm/yyyy sorts as yyyymmdd
            return w.dateAchat.mid(6, 4) + w.dateAchat.mid(3, 2) + w.dateAchat.left(2);
        default:
            return text(index.row(), index.column());
        }
    default:
        return QVariant();
    }
}

QVariant WineListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QVariant();
    return QString::fromUtf8(kTitles[section]);
}

void WineListModel::setRows(std::vector<WineRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void WineListModel::clear()
{
    setRows({});
}

void WineListModel::setCounts(int r, qint64 stock, qint64 bought, double price)
{
    WineRow& w = m_rows.at(static_cast<size_t>(r));
    w.stock = stock;
    w.nbrAchat = static_cast<double>(bought);
    w.prixAchat = price;
    Q_EMIT dataChanged(index(r, Stock), index(r, PrixUnite));
}

void WineListModel::removeLot(int r)
{
    beginRemoveRows(QModelIndex(), r, r);
    m_rows.erase(m_rows.begin() + r);
    endRemoveRows();
}

int WineListModel::rowOfIndex(qint64 lot) const
{
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].index == lot)
            return static_cast<int>(r);
    }
    return -1;
}
