#include "search/ui/SearchDialog.h"

#include "cellar/EntryRules.h"
#include "cellar/ui/WineListModel.h"
#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "rack/ui/RackDialog.h"
#include "reference/Dishes.h"
#include "reference/ReferenceLists.h"
#include "widgets/ui/ColorLabel.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

CellarSession* session()
{
    return CellarSession::current();
}

} // namespace

SearchDialog::SearchDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDRecherche"));
    setWindowTitle(QStringLiteral("Recherche d'un vin"));
    buildLayout();
    refreshCombos();
    fillDishes();
}

void SearchDialog::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildCriteria());
    auto* actions = new QHBoxLayout;
    auto* search = new QPushButton(QStringLiteral("Lancer la recherche"), this);
    search->setDefault(true);
    auto* reset = new QPushButton(QStringLiteral("Initialisation critères"), this);
    actions->addWidget(search);
    actions->addWidget(reset);
    actions->addStretch(1);
    layout->addLayout(actions);

    m_title = new ColorLabel(this);
    m_title->setText(QStringLiteral("Liste des vins répondants aux critères"));
    m_title->SetBackColour(QColor(200, 202, 2));
    m_title->SetTextColour(QColor(255, 0, 0));
    m_title->setMargin(2);
    layout->addWidget(m_title);
    layout->addWidget(
        new QLabel(QStringLiteral("Pour les trouver dans vos rangement double-Cliquer sur le vin"), this));
    buildResults();
    layout->addWidget(m_results, 1);
    m_empty = new QLabel(QStringLiteral("Aucun vin ne répondant aux critéres"), this);
    m_empty->setObjectName(QStringLiteral("emptyText"));
    m_empty->hide();
    layout->addWidget(m_empty);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Quitter"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(search, &QPushButton::clicked, this, &SearchDialog::search);
    connect(reset, &QPushButton::clicked, this, &SearchDialog::clearCriteria);
    connect(m_type, &QComboBox::currentIndexChanged, this, &SearchDialog::wineTypeChanged);
    connect(m_results, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { showResultInRack(index.row()); });
    const int line = fontMetrics().height();
    resize(line * 62, line * 40);
}

// The criteria: wine type, appellation, cru, size, vintage bounds and dish.
QGridLayout* SearchDialog::buildCriteria()
{
    auto* criteria = new QGridLayout;
    auto combo = [this] {
        auto* c = new QComboBox(this);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(14);
        return c;
    };
    m_type = combo();
    m_appellation = combo();
    m_cru = combo();
    m_size = combo();
    m_from = combo();
    m_to = combo();
    m_dish = combo();
    m_size->addItem(QString());
    m_size->addItems(EntryRules::modificationSizes().mid(1));
    // The vintage bounds: a blank entry, then the years from the current year + 2 down to 1801.
    const int year = QDate::currentDate().year();
    for (QComboBox* bound : {m_from, m_to}) {
        bound->addItem(QString());
        bound->addItems(EntryRules::vintageItems(year));
    }
    criteria->addWidget(new QLabel(QStringLiteral("Vin"), this), 0, 0);
    criteria->addWidget(m_type, 0, 1);
    criteria->addWidget(new QLabel(QStringLiteral("Appellation"), this), 0, 2);
    criteria->addWidget(m_appellation, 0, 3);
    criteria->addWidget(new QLabel(QStringLiteral("Cru :"), this), 1, 0);
    criteria->addWidget(m_cru, 1, 1);
    criteria->addWidget(new QLabel(QStringLiteral("Contenance :"), this), 1, 2);
    criteria->addWidget(m_size, 1, 3);
    criteria->addWidget(new QLabel(QStringLiteral("Millesime début :"), this), 2, 0);
    criteria->addWidget(m_from, 2, 1);
    criteria->addWidget(new QLabel(QStringLiteral("Millesime Fint :"), this), 2, 2);
    criteria->addWidget(m_to, 2, 3);
    criteria->addWidget(new QLabel(QStringLiteral("Par Plat :"), this), 3, 0);
    criteria->addWidget(m_dish, 3, 1, 1, 3);
    criteria->setColumnStretch(1, 1);
    criteria->setColumnStretch(3, 1);
    return criteria;
}

// The list of the lots found, its columns as wide as their titles and typical values.
void SearchDialog::buildResults()
{
    m_model = new WineListModel(this);
    m_results = new QTableView(this);
    m_results->setObjectName(QStringLiteral("resultList"));
    // The model sorts every row it holds, and shows them by pages.
    m_results->setModel(m_model);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setSortingEnabled(true);
    m_results->sortByColumn(-1, Qt::AscendingOrder);
    m_results->verticalHeader()->setVisible(false);
    m_results->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_results->verticalHeader()->setDefaultSectionSize(m_results->fontMetrics().height() + 6);
    for (int c = WineListModel::Index; c < WineListModel::ColumnCount; ++c)
        m_results->setColumnHidden(c, true);
    const QFontMetrics metrics(m_results->font());
    const char* const samples[] = {
        "Château Grand Vin", "Premier Grand Cru", "Domaine du Pin", "9999", "31/12/2026", "9999", "99 999,99", "2026"};
    for (int c = 0; c < 8; ++c) {
        const int title = metrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString());
        m_results->setColumnWidth(
            c, qMax(title + metrics.height() * 2, metrics.horizontalAdvance(QString::fromUtf8(samples[c])) + 24));
    }
}

void SearchDialog::refreshCombos()
{
    const QString label = QStringLiteral("CDRecherche::OnMAJCB");
    m_type->clear();
    m_cru->clear();
    m_type->addItem(QString());
    m_cru->addItem(QString());
    if (session()) {
        m_type->addItems(ReferenceLists::wineTypes(*session(), label));
        m_cru->addItems(ReferenceLists::crus(*session(), label));
    }
    m_type->setCurrentIndex(0);
    m_cru->setCurrentIndex(0);
    wineTypeChanged();
}

void SearchDialog::fillDishes()
{
    // Each entry keeps its dish's index: dishes of one name stay apart, names of any length are whole.
    m_dish->clear();
    m_dish->addItem(QString(), qint64(0));
    if (!session())
        return;
    for (const Dishes::Dish& dish : Dishes::all(*session(), QStringLiteral("CDRecherche::OnInitPlats")))
        m_dish->addItem(dish.name, dish.index);
}

void SearchDialog::wineTypeChanged()
{
    m_appellation->clear();
    m_appellation->addItem(QString());
    const QString type = chosen(m_type);
    if (!type.isEmpty() && session()) {
        QStringList names;
        for (const ReferenceLists::Appellation& row :
             ReferenceLists::appellationsOf(*session(), QStringLiteral("CDRecherche::OnSelchangeCbvin"), type))
            names << row.name;
        names.sort(Qt::CaseInsensitive);
        m_appellation->addItems(names);
    }
    m_appellation->setCurrentIndex(0);
}

QString SearchDialog::chosen(const QComboBox* combo)
{
    return combo->currentIndex() > 0 ? combo->currentText() : QString();
}

void SearchDialog::clearCriteria()
{
    for (QComboBox* combo : {m_type, m_appellation, m_cru, m_from, m_to, m_size})
        combo->setCurrentIndex(0);
    m_model->clear();
    m_empty->hide();
}

void SearchDialog::search()
{
    m_model->clear();
    m_empty->hide();
    if (!session())
        return;
    SearchQuery::Criteria criteria;
    criteria.type = chosen(m_type);
    criteria.appellation = chosen(m_appellation);
    criteria.cru = chosen(m_cru);
    criteria.size = chosen(m_size);
    criteria.fromYear = chosen(m_from).toInt();
    criteria.toYear = chosen(m_to).toInt();
    if (m_dish->currentIndex() > 0) {
        if (!criteria.isEmpty()) {
            Prompt::show(QStringLiteral(
                             "Pour lancer une recherche sur un plat\nvous devez mettre à blanc les autres critères !"),
                         QStringLiteral("Attention !"), Prompt::Icon::Exclamation);
            return;
        }
        m_model->setRows(SearchQuery::byDish(*session(), m_dish->currentData().toLongLong()));
        return;
    }
    m_model->setRows(SearchQuery::byCriteria(*session(), criteria));
    m_empty->setVisible(m_model->rowCount() == 0);
}

qint64 SearchDialog::lotAt(int viewRow) const
{
    if (viewRow < 0 || viewRow >= m_model->rowCount())
        return 0;
    return m_model->row(viewRow).index;
}

void SearchDialog::showResultInRack(int viewRow)
{
    const qint64 lot = lotAt(viewRow);
    if (lot == 0)
        return;
    if (isSignalConnected(QMetaMethod::fromSignal(&SearchDialog::rackViewRequested))) {
        Q_EMIT rackViewRequested(lot);
        return;
    }
    RackDialog rack(this, lot, QStringLiteral("Visualisation"), 0);
    rack.exec();
}
