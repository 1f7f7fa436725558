#include "cellar/ui/WineListModel.h"

#include <QHash>
#include <algorithm>

#include "platform/LocaleFormat.h"
#include "widgets/ui/Pictures.h"

namespace {

const char* const kTitles[] = {
    "Nom", "Cru", "Propriétaire", "Stock", "Date d'achat", "Nbr Achat", " Prix unitée", "Millesime",
    "",    "",    "Contenance",   ""};

} // namespace

WineListModel::WineListModel(QObject* parent) : QAbstractTableModel(parent) {}

int WineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int WineListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString WineListModel::text(int r, int column) const
{
    return textOf(m_rows.at(static_cast<size_t>(r)), column);
}

QString WineListModel::textOf(const WineRow& w, int column)
{
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
        return QString::number(w.vintage);
    case Index:
        return QString::number(w.index);
    case Cote:
        return QString::number(w.keeping);
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
        return index.column() == Nom ? QVariant(Pictures::colourIcon(w.colour)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Nom || index.column() == Proprietaire ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                                       : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case SortRole:
        return sortValue(w, index.column());
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

QVariant WineListModel::sortValue(const WineRow& w, int column)
{
    switch (column) {
    case Stock:
        return w.stock;
    case NbrAchat:
        return w.nbrAchat;
    case PrixUnite:
        return w.nbrAchat != 0 ? w.prixAchat / w.nbrAchat : 0.0;
    case Millesime:
        return w.vintage;
    case DateAchat: // dd/mm/yyyy sorts as yyyymmdd
        return w.dateAchat.mid(6, 4) + w.dateAchat.mid(3, 2) + w.dateAchat.left(2);
    default:
        return textOf(w, column);
    }
}

void WineListModel::sortRows()
{
    if (m_sortColumn < 0 || m_sortColumn >= ColumnCount || m_rows.size() < 2)
        return;
    // Each key is made once; equal keys keep their order, whichever the direction.
    std::vector<std::pair<QVariant, size_t>> keys;
    keys.reserve(m_rows.size());
    for (size_t r = 0; r < m_rows.size(); ++r)
        keys.emplace_back(sortValue(m_rows[r], m_sortColumn), r);
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(keys.begin(), keys.end(), [descending](const auto& a, const auto& b) {
        const QPartialOrdering order = QVariant::compare(a.first, b.first);
        return descending ? order == QPartialOrdering::Greater : order == QPartialOrdering::Less;
    });
    std::vector<WineRow> sorted;
    sorted.reserve(m_rows.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(m_rows[key.second]));
    m_rows = std::move(sorted);
}

void WineListModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    if (m_rows.size() < 2 || column < 0)
        return;
    // The selected row follows its lot; one that falls beyond the rows shown is let go.
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<qint64> lots;
    for (const QModelIndex& i : before)
        lots.push_back(m_rows[static_cast<size_t>(i.row())].index);
    sortRows();
    QHash<qint64, int> rowOfLot;
    for (size_t r = 0; r < static_cast<size_t>(m_shown); ++r)
        rowOfLot.insert(m_rows[r].index, static_cast<int>(r));
    QModelIndexList after;
    for (size_t k = 0; k < lots.size(); ++k) {
        const int row = rowOfLot.value(lots[k], -1);
        after << (row >= 0 ? index(row, before[static_cast<int>(k)].column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool WineListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_shown < static_cast<int>(m_rows.size());
}

void WineListModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    const int more = std::min(kPageRows, static_cast<int>(m_rows.size()) - m_shown);
    beginInsertRows(QModelIndex(), m_shown, m_shown + more - 1);
    m_shown += more;
    endInsertRows();
}

void WineListModel::showUpTo(int row)
{
    const int last = std::min(row, static_cast<int>(m_rows.size()) - 1);
    if (last < m_shown)
        return;
    beginInsertRows(QModelIndex(), m_shown, last);
    m_shown = last + 1;
    endInsertRows();
}

void WineListModel::setRows(std::vector<WineRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    sortRows();
    m_shown = std::min(kPageRows, static_cast<int>(m_rows.size()));
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
    if (r < m_shown)
        Q_EMIT dataChanged(index(r, Stock), index(r, PrixUnite));
}

void WineListModel::removeLot(int r)
{
    if (r >= m_shown) {
        m_rows.erase(m_rows.begin() + r);
        return;
    }
    beginRemoveRows(QModelIndex(), r, r);
    m_rows.erase(m_rows.begin() + r);
    --m_shown;
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
