#include "statistics/ui/ReadyToDrinkDialog.h"

#include "db/CellarSession.h"
#include "widgets/ui/Pictures.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Column
{
    Name,
    Type,
    Appellation,
    Vintage,
    Stock,
    Keeping,
    ColumnCount
};

} // namespace

int ReadyModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_wines.size());
}

int ReadyModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReadyModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const CellarStatistics::ReadyWine& w = wine(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case SortRole:
        switch (index.column()) {
        case Name:
            return w.name;
        case Type:
            return w.type;
        case Appellation:
            return w.appellation;
        case Vintage:
            return role == SortRole ? QVariant(w.vintage) : QVariant(QString::number(w.vintage));
        case Stock:
            return role == SortRole ? QVariant(w.stock) : QVariant(QString::number(w.stock));
        case Keeping:
            return role == SortRole ? QVariant(w.keeping) : QVariant(QString::number(w.keeping));
        default:
            return QVariant();
        }
    case Qt::DecorationRole:
        // Red and white have their own icon; rosé and other share one.
        return index.column() == Name
                   ? QVariant(Pictures::colourIcon(w.colour == Colour::Rose ? Colour::Other : w.colour))
                   : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Name || index.column() == Appellation ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                                       : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant ReadyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const titles[] = {"Nom", "Type", "Appellation", "Millesime", "Stock", "Garde"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QVariant();
    return QString::fromLatin1(titles[section]);
}

void ReadyModel::setWines(std::vector<CellarStatistics::ReadyWine> wines)
{
    beginResetModel();
    m_wines = std::move(wines);
    endResetModel();
}

ReadyToDrinkDialog::ReadyToDrinkDialog(QWidget* parent, int currentYear)
    : QDialog(parent), m_year(currentYear != 0 ? currentYear : QDate::currentDate().year())
{
    setObjectName(QStringLiteral("CDAboire"));
    setWindowTitle(QStringLiteral("Liste de vos vins étant arrivés a la fin de leur garde"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Cette liste vous permet de voir les vins à consomer "), this));
    layout->addWidget(new QLabel(QStringLiteral("Vous devez avoir rentré des gardes sur les vins"), this));
    m_model = new ReadyModel(this);
    auto* proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(m_model);
    proxy->setSortRole(ReadyModel::SortRole);
    proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("readyList"));
    m_list->setModel(proxy);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(-1, Qt::AscendingOrder);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->setVisible(false);
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics metrics(m_list->font());
    m_list->setColumnWidth(Name, metrics.horizontalAdvance(QStringLiteral("Château Grand Vin de Pauillac")));
    m_list->setColumnWidth(Type, metrics.horizontalAdvance(QStringLiteral("Côtes du Rhône Villages")));
    m_list->setColumnWidth(Appellation, metrics.horizontalAdvance(QStringLiteral("Châteauneuf-du-Pape")));
    for (const int c : {int(Vintage), int(Stock)})
        m_list->setColumnWidth(c, metrics.horizontalAdvance(QStringLiteral("Millesime")) + metrics.height() * 2);
    layout->addWidget(m_list, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    const int line = fontMetrics().height();
    resize(line * 64, line * 30);
    fillList();
}

void ReadyToDrinkDialog::fillList()
{
    CellarSession* session = CellarSession::current();
    m_model->setWines(session ? CellarStatistics::readyToDrink(*session, QStringLiteral("CDAboire::OnListe"), m_year)
                              : std::vector<CellarStatistics::ReadyWine>());
}
