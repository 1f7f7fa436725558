#include "rack/ui/RackManualUpdateDialog.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "rack/RackGeometry.h"
#include "rack/ui/RackControls.h"
#include "rack/ui/RackGridWidget.h"
#include "widgets/ui/ColorLabel.h"
#include "widgets/ui/Pictures.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr qint64 kTakeOut = -1;

CellarSession* session()
{
    return CellarSession::current();
}

} // namespace

RackManualUpdateDialog::RackManualUpdateDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDMajRange"));
    setWindowTitle(QStringLiteral("MAJ Manuel du rangement de votre cave"));
    buildLayout();
    const QColor pale(243, 244, 186);
    for (ColorLabel* label : {m_placedLabel, m_stockLabel, m_toPlaceLabel}) {
        label->SetBackColour(pale);
        label->SetTextColour(QColor(0, 0, 0));
    }
    m_toPlaceLabel->SetTextColour(QColor(255, 0, 0));
    clearTables();
    applyGeometry(1);
    m_rackList->setCurrentIndex(0);
    showWineInRack(1);
    fillWineList();
    showCounts();

    connect(m_rackList, &QComboBox::currentIndexChanged, this, &RackManualUpdateDialog::onRackChanged);
    auto geometryChanged = [this] {
        m_grid.setColumns(m_columnList->currentText().toInt());
        m_grid.setRows(m_rowList->currentText().toInt());
        dropMarksOutsideGeometry();
        recount();
        m_gridWidget->update();
    };
    connect(m_columnList, &QComboBox::currentIndexChanged, this, geometryChanged);
    connect(m_rowList, &QComboBox::currentIndexChanged, this, geometryChanged);
    connect(m_gridWidget, &RackGridWidget::cellClicked, this, &RackManualUpdateDialog::cellClicked);
    connect(m_gridWidget, &RackGridWidget::fillRowRequested, this, &RackManualUpdateDialog::fillRow);
    connect(m_gridWidget, &RackGridWidget::fillColumnRequested, this, &RackManualUpdateDialog::fillColumn);
    connect(m_wineList, &QTableView::clicked, this, [this](const QModelIndex& index) { wineChosen(index.row()); });
    m_gridWidget->setDescriber([this](const RackGrid::Cell& cell) { return findWine(cell.column, cell.row); });
}

void RackManualUpdateDialog::buildLayout()
{
    // The whole dialog scrolls on a screen too small for it (a small screen, a large scale).
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    outer->addWidget(scroll);
    auto* layout = new QHBoxLayout(content);
    auto* left = new QVBoxLayout;
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Rayonnage N° :"), this), 0, 0);
    m_rackList = RackControls::rackList(this);
    top->addWidget(m_rackList, 0, 1);
    auto* saveGeometry = new QPushButton(QStringLiteral("Enreg Config du Nb Col Nb Rang"), this);
    top->addWidget(saveGeometry, 0, 2, 1, 2);
    top->addWidget(new QLabel(QStringLiteral("Nbr de Colonnes :"), this), 1, 0);
    m_columnList = RackControls::countList(this);
    m_columnList->setToolTip(QStringLiteral("Nb de colonne de votre casier"));
    top->addWidget(m_columnList, 1, 1);
    top->addWidget(new QLabel(QStringLiteral("Nbr de Rangées :"), this), 1, 2);
    m_rowList = RackControls::countList(this);
    top->addWidget(m_rowList, 1, 3);
    top->setColumnStretch(4, 1);
    left->addLayout(top);
    m_gridWidget = new RackGridWidget(m_grid, this);
    left->addWidget(m_gridWidget, 1);
    auto* counters = new QHBoxLayout;
    m_placedLabel = new ColorLabel(this);
    m_stockLabel = new ColorLabel(this);
    m_toPlaceLabel = new ColorLabel(this);
    for (ColorLabel* label : {m_placedLabel, m_stockLabel, m_toPlaceLabel}) {
        label->setMargin(3);
        counters->addWidget(label);
    }
    left->addLayout(counters);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Enregistrer"), this);
    auto* quit = new QPushButton(QStringLiteral("Quitter"), this);
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(quit);
    left->addLayout(buttons);
    layout->addLayout(left, 3);

    auto* right = new QVBoxLayout;
    m_wines = new QStandardItemModel(0, 4, this);
    m_wines->setHorizontalHeaderLabels(
        {QStringLiteral("Nom"), QStringLiteral("Appellation"), QStringLiteral("Millesime"), QString()});
    m_wineList = new QTableView(this);
    m_wineList->setModel(m_wines);
    m_wineList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_wineList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_wineList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_wineList->verticalHeader()->setVisible(false);
    m_wineList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const QFontMetrics metrics(m_wineList->font());
    m_wineList->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("Château Grand Vin de Pauillac")));
    m_wineList->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("Saint-Julien-Beychevelle")));
    m_wineList->setColumnWidth(2, metrics.horizontalAdvance(QStringLiteral("Millesime")) + metrics.height() * 2);
    m_wineList->setColumnHidden(3, true);
    right->addWidget(m_wineList, 1);
    right->addWidget(RackControls::legend({{QStringLiteral("Rouge"), QColor(255, 0, 0)},
                                           {QStringLiteral("Blanc"), QColor(246, 245, 140)},
                                           {QStringLiteral("Rosé"), QColor(246, 140, 240)},
                                           {QStringLiteral("Autre"), QColor(255, 255, 255)},
                                           {QStringLiteral("Ajouter"), QColor(0, 254, 54)},
                                           {QStringLiteral("A supprimer"), QColor(0, 0, 0)},
                                           {QStringLiteral("Sélectionner"), QColor(255, 160, 160)}},
                                          this));
    layout->addLayout(right, 2);

    connect(save, &QPushButton::clicked, this, &RackManualUpdateDialog::save);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveGeometry, &QPushButton::clicked, this, &RackManualUpdateDialog::saveRackSize);
    resize(1000, 600);
}

void RackManualUpdateDialog::clearTables()
{
    m_grid.clear();
    for (auto& column : m_pending)
        column.fill(0);
}

void RackManualUpdateDialog::applyGeometry(int rack)
{
    RackControls::applyGeometry(rack, m_grid, m_columnList, m_rowList);
    m_gridWidget->update();
}

void RackManualUpdateDialog::fillWineList()
{
    m_wines->removeRows(0, m_wines->rowCount());
    if (!session())
        return;
    for (const RackStore::PlaceableWine& wine :
         RackStore::placeableWines(*session(), QStringLiteral("CDMajRange::OnRempliListe"))) {
        auto* name = new QStandardItem(Pictures::colourIcon(wine.colour), wine.name);
        m_wines->appendRow({name, new QStandardItem(wine.appellation), new QStandardItem(QString::number(wine.vintage)),
                            new QStandardItem(QString::number(wine.index))});
    }
}

bool RackManualUpdateDialog::showWineInRack(int rack)
{
    if (!session() || !RackStore::loadRack(*session(), QStringLiteral("CDRayonnage::OnRechercheVinCasier"), rack, 0,
                                           m_grid, m_owners))
        return false;
    for (int x = 0; x <= RackGrid::kMax; ++x) {
        for (int y = 0; y <= RackGrid::kMax; ++y)
            m_loaded[x][y] = m_grid.state(x, y);
    }
    m_gridWidget->update();
    return true;
}

QString RackManualUpdateDialog::findWine(int column, int row)
{
    if (!session())
        return QStringLiteral("Inconnu");
    return RackStore::describeCell(*session(), QStringLiteral("CDRayonnage::OnRechercheVin"),
                                   m_rackList->currentText().toInt(), column, row);
}

void RackManualUpdateDialog::showCounts()
{
    m_placedLabel->setText(QStringLiteral("Nbr de vin rangés : %1").arg(m_placed));
    m_stockLabel->setText(QStringLiteral("Nbr de vin en stock : %1").arg(m_stock));
    m_toPlaceLabel->setText(QStringLiteral("Nbr de vin à ranger : %1").arg(m_toPlace));
}

void RackManualUpdateDialog::wineChosen(int listRow)
{
    if (listRow < 0 || listRow >= m_wines->rowCount() || !session())
        return;
    clearTables();
    showWineInRack(m_shownRack);
    m_wine = m_wines->item(listRow, 3)->text().toLongLong();
    reloadStored();
    recount();
    m_gridWidget->update();
}

void RackManualUpdateDialog::recount()
{
    int removed = 0;
    int added = 0;
    for (int x = 1; x <= m_grid.columns(); ++x) {
        for (int y = 1; y <= m_grid.rows(); ++y) {
            const qint64 pending = m_pending[x][y];
            if (pending == kTakeOut && m_owners[x][y].rowid != 0 && m_owners[x][y].wine == m_wine && m_wine != 0)
                ++removed;
            else if (pending > 0)
                ++added;
        }
    }
    m_placed = m_storedTotal - removed;
    m_added = added;
    m_toPlace = m_stock - m_placed - added;
    showCounts();
}

void RackManualUpdateDialog::dropMarksOutsideGeometry()
{
    for (int x = 1; x <= RackGrid::kMax; ++x) {
        for (int y = 1; y <= RackGrid::kMax; ++y) {
            if (m_pending[x][y] == 0 || (x <= m_grid.columns() && y <= m_grid.rows()))
                continue;
            m_pending[x][y] = 0;
            const bool ownBottle = m_wine != 0 && m_owners[x][y].rowid != 0 && m_owners[x][y].wine == m_wine;
            m_grid.setState(x, y, ownBottle ? static_cast<int>(RackGrid::Hatched) : m_loaded[x][y]);
        }
    }
}

void RackManualUpdateDialog::reloadStored()
{
    m_storedTotal = 0;
    m_stock = 0;
    if (m_wine == 0 || !session())
        return;
    const RackStore::Placed placed = RackStore::placedBottles(
        *session(), QStringLiteral("CDMajRange::OnClickListrangementmaj"), m_wine, m_shownRack);
    for (const RackGrid::Cell& cell : placed.inRack)
        m_grid.setState(cell.column, cell.row, RackGrid::Hatched);
    m_storedTotal = placed.total;
    if (const std::optional<qint64> stock =
            RackStore::stockOf(*session(), QStringLiteral("CDMajRange::OnClickListrangementmaj"), m_wine))
        m_stock = *stock;
}

bool RackManualUpdateDialog::requireWine()
{
    if (m_wine != 0)
        return true;
    Prompt::show(QStringLiteral("Vous devez pour mettre à jour\nsélectionner un vin dans la liste"),
                 QStringLiteral("Attention !"), Prompt::Icon::Stop);
    return false;
}

void RackManualUpdateDialog::allPlaced()
{
    Prompt::show(QStringLiteral("Vous avez ranger toutes les bouteilles de ce vin !"), QStringLiteral("Attention !"),
                 Prompt::Icon::Stop);
}

void RackManualUpdateDialog::cellClicked(const RackGrid::Cell& cell)
{
    if (!requireWine())
        return;
    const int x = cell.column;
    const int y = cell.row;
    const int state = m_grid.state(x, y);
    // The counters are recounted from the marks: they always tell what "Enregistrer" would write.
    const bool ownBottle = m_owners[x][y].rowid != 0 && m_owners[x][y].wine == m_wine;
    if (state == RackGrid::Empty) {
        if (m_toPlace <= 0) {
            allPlaced();
            return;
        }
        m_grid.setState(x, y, RackGrid::Marked);
        m_pending[x][y] = m_wine;
    } else if (state == RackGrid::Marked) {
        m_grid.setState(x, y, RackGrid::Empty);
        m_pending[x][y] = 0;
    } else if (state == RackGrid::Selected) {
        // A second click on a bottle marked for removal keeps it, unless its place was already given to a
        // new bottle: the wine would then lie in more cells than it has bottles.
        if (ownBottle && m_toPlace <= 0 && m_added > 0) {
            allPlaced();
            return;
        }
        m_grid.setState(x, y, ownBottle ? static_cast<int>(RackGrid::Hatched) : m_loaded[x][y]);
        m_pending[x][y] = 0;
    } else {
        m_grid.setState(x, y, RackGrid::Selected);
        m_pending[x][y] = kTakeOut;
    }
    recount();
    m_gridWidget->update();
}

void RackManualUpdateDialog::fill(const std::vector<RackGrid::Cell>& candidates)
{
    for (const RackGrid::Cell& cell : candidates) {
        if (m_grid.state(cell.column, cell.row) != RackGrid::Empty)
            continue;
        if (m_toPlace <= 0) {
            allPlaced();
            break;
        }
        m_grid.setState(cell.column, cell.row, RackGrid::Marked);
        m_pending[cell.column][cell.row] = m_wine;
        recount();
    }
    m_gridWidget->update();
}

void RackManualUpdateDialog::fillRow(const RackGrid::Cell& cell)
{
    if (!requireWine() || m_grid.state(cell.column, cell.row) != RackGrid::Empty)
        return;
    std::vector<RackGrid::Cell> cells;
    for (int x = 1; x <= m_grid.columns(); ++x)
        cells.push_back({x, cell.row});
    fill(cells);
}

void RackManualUpdateDialog::fillColumn(const RackGrid::Cell& cell)
{
    if (!requireWine() || m_grid.state(cell.column, cell.row) != RackGrid::Empty)
        return;
    std::vector<RackGrid::Cell> cells;
    for (int y = 1; y <= m_grid.rows(); ++y)
        cells.push_back({cell.column, y});
    fill(cells);
}

bool RackManualUpdateDialog::save()
{
    if (!session())
        return false;
    // Only the cells of the rack as it is drawn: marks left outside a smaller geometry are not written, and
    // positions stored outside it stay as they are.
    std::vector<RackStore::Change> changes;
    for (int x = 1; x <= m_grid.columns(); ++x) {
        for (int y = 1; y <= m_grid.rows(); ++y) {
            const qint64 pending = m_pending[x][y];
            if (pending == kTakeOut && m_owners[x][y].rowid != 0)
                changes.push_back({x, y, 0, m_owners[x][y].rowid});
            else if (pending > 0)
                changes.push_back({x, y, pending, 0});
        }
    }
    switch (RackStore::apply(*session(), QStringLiteral("CDMajRange::OnEnregistrer"), m_shownRack, changes)) {
    case RackStore::Outcome::Written:
        break;
    case RackStore::Outcome::AddFailed:
        Prompt::show(QStringLiteral("Impossible d'écrire l'enregistrement CAVE"), QStringLiteral("Erreur"),
                     Prompt::Icon::Exclamation);
        return false;
    case RackStore::Outcome::RemoveFailed:
        return false;
    }
    clearTables();
    showWineInRack(m_shownRack);
    // Keep showing where the chosen wine lies, with counters read again from the cellar.
    reloadStored();
    recount();
    m_gridWidget->update();
    return true;
}

void RackManualUpdateDialog::saveRackSize()
{
    RackGeometry::save(m_rackList->currentText().toInt(),
                       RackGeometry{m_columnList->currentText().toInt(), m_rowList->currentText().toInt()});
}

void RackManualUpdateDialog::changeRack(int rack)
{
    clearTables();
    m_shownRack = rack;
    applyGeometry(rack);
    showWineInRack(rack);
    // Marks dropped without saving: the counters come from what is stored again.
    reloadStored();
    recount();
    m_gridWidget->update();
}

void RackManualUpdateDialog::onRackChanged()
{
    const int wanted = m_rackList->currentText().toInt();
    const Prompt::Answer answer = Prompt::show(
        QStringLiteral("Si vous changez de Casier sans enregistrer vous perdrez vos modifs\nEnregistrer ?"),
        QStringLiteral("Information !"), Prompt::Icon::Question, Prompt::Buttons::YesNoCancel);
    if (answer == Prompt::Answer::Cancel) {
        const QSignalBlocker quiet(m_rackList);
        m_rackList->setCurrentIndex(m_shownRack - 1);
        return;
    }
    if (answer == Prompt::Answer::Yes && !save()) {
        const QSignalBlocker quiet(m_rackList);
        m_rackList->setCurrentIndex(m_shownRack - 1);
        return;
    }
    changeRack(wanted);
}
