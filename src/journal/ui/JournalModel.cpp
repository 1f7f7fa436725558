#include "journal/ui/JournalModel.h"

#include "db/CellarSession.h"

#include <QDateTime>
#include <QLocale>

JournalModel::JournalModel(QObject* parent) : QAbstractTableModel(parent) {}

void JournalModel::setFilter(const Journal::Filter& filter)
{
    beginResetModel();
    m_filter = filter;
    m_rows.clear();
    m_complete = CellarSession::current() == nullptr;
    endResetModel();
    if (canFetchMore(QModelIndex()))
        fetchMore(QModelIndex());
}

int JournalModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size()))
        return QVariant();
    const Journal::Movement& m = m_rows[static_cast<size_t>(index.row())];
    const QLocale locale;
    if (role == Qt::TextAlignmentRole)
        return index.column() == Quantity || index.column() == UnitPrice ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                         : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case Date: {
        const QDateTime when = QDateTime::fromString(m.dateTime, Qt::ISODate);
        return when.isValid() ? locale.toString(when, QStringLiteral("dd/MM/yyyy HH:mm")) : m.dateTime;
    }
    case Name:
        return m.name;
    case Type:
        return m.type;
    case Quantity:
        return m.quantity > 0 ? QStringLiteral("+") + locale.toString(m.quantity) : locale.toString(m.quantity);
    case UnitPrice:
        return locale.toString(m.unitPrice, 'f', 2);
    case Nature:
        return m.nature;
    default:
        return QVariant();
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {"Date", "Vin", "Type", "Bouteilles", "Prix unitaire", "Nature"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

bool JournalModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_complete;
}

void JournalModel::fetchMore(const QModelIndex& parent)
{
    CellarSession* session = CellarSession::current();
    if (parent.isValid() || !session) {
        m_complete = true;
        return;
    }
    std::vector<Journal::Movement> more = Journal::page(*session, m_filter, static_cast<qint64>(m_rows.size()), kPage);
    m_complete = static_cast<int>(more.size()) < kPage;
    if (more.empty())
        return;
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(more.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    endInsertRows();
}

void JournalModel::sort(int column, Qt::SortOrder order)
{
    Journal::Filter filter = m_filter;
    filter.sortColumn = column;
    filter.ascending = order == Qt::AscendingOrder;
    setFilter(filter);
}
