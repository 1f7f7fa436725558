#include "rack/ui/RackDialog.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "rack/RackGeometry.h"
#include "rack/ui/RackControls.h"
#include "rack/ui/RackGridWidget.h"
#include "widgets/ui/ColorLabel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kCreation = QStringLiteral("Création");
const QString kSortie = QStringLiteral("Sortie");
const QString kVisualisation = QStringLiteral("Visualisation");

CellarSession* session()
{
    return CellarSession::current();
}

} // namespace

RackDialog::RackDialog(QWidget* parent, qint64 wineIndex, const QString& mode, int count)
    : QDialog(parent), m_wine(wineIndex), m_mode(mode), m_count(count)
{
    setObjectName(QStringLiteral("CDRayonnage"));
    setWindowTitle(QStringLiteral("Rangement dans votre cave"));
    buildLayout();

    m_countLabel->SetBackColour(QColor(243, 244, 186));
    m_countLabel->SetTextColour(QColor(255, 0, 0));
    m_notFound->SetBlinkBackColours(QColor(0, 128, 0), QColor(0, 255, 0));
    m_notFound->SetBlinkTextColours(QColor(255, 255, 255), QColor(0, 0, 0));
    m_notFound->StartBackBlink(1, 2);
    m_notFound->StartTextBlink(1, 1);

    if (m_mode == kCreation) {
        m_legendText->setText(QStringLiteral("A ajouter"));
    } else if (m_mode == kSortie) {
        m_legendText->setText(QStringLiteral("A enlever"));
    } else if (m_mode == kVisualisation) {
        m_legendText->setText(QStringLiteral("Vin rechercher"));
        m_foundRack = rackOfWine();
        m_countLabel->hide();
        m_save->hide();
    } else {
        m_legendText->clear();
        m_legendSwatch->hide();
        setWindowTitle(QStringLiteral("Rangement de la cave en VISUALISATION"));
        m_countLabel->hide();
        m_save->hide();
    }

    m_grid.clear();
    m_shownRack = m_mode == kVisualisation ? m_foundRack : 1;
    applyGeometry(m_shownRack);
    {
        const QSignalBlocker quiet(m_rackList);
        m_rackList->setCurrentIndex(m_shownRack - 1);
    }
    showWineInRack(m_shownRack);
    showRemaining();

    connect(m_rackList, &QComboBox::currentIndexChanged, this, &RackDialog::onRackChanged);
    connect(m_columnList, &QComboBox::currentIndexChanged, this, &RackDialog::onGeometryChanged);
    connect(m_rowList, &QComboBox::currentIndexChanged, this, &RackDialog::onGeometryChanged);
    connect(m_gridWidget, &RackGridWidget::cellClicked, this, &RackDialog::cellClicked);
    connect(m_gridWidget, &RackGridWidget::fillRowRequested, this, &RackDialog::fillRow);
    connect(m_gridWidget, &RackGridWidget::fillColumnRequested, this, &RackDialog::fillColumn);
    connect(m_save, &QPushButton::clicked, this, &RackDialog::save);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_gridWidget->setDescriber([this](const RackGrid::Cell& cell) { return findWine(cell.column, cell.row); });
}

void RackDialog::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_countLabel = new ColorLabel(this);
    m_countLabel->setMargin(3);
    top->addWidget(m_countLabel);
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("Rayonnage N° :"), this));
    m_rackList = RackControls::rackList(this);
    top->addWidget(m_rackList);
    m_save = new QPushButton(QStringLiteral("Enregistrer"), this);
    m_cancel = new QPushButton(QStringLiteral("Annuler"), this);
    top->addWidget(m_save);
    top->addWidget(m_cancel);
    layout->addLayout(top);

    auto* geometry = new QHBoxLayout;
    geometry->addWidget(new QLabel(QStringLiteral("Nbr de Colonnes :"), this));
    m_columnList = RackControls::countList(this);
    geometry->addWidget(m_columnList);
    geometry->addWidget(new QLabel(QStringLiteral("Nbr de Rangées :"), this));
    m_rowList = RackControls::countList(this);
    geometry->addWidget(m_rowList);
    geometry->addStretch(1);
    layout->addLayout(geometry);

    auto* middle = new QHBoxLayout;
    m_gridWidget = new RackGridWidget(m_grid, this);
    middle->addWidget(m_gridWidget, 1);
    // "VIN NON TROUVE", read downwards.
    m_notFound = new ColorLabel(QStringLiteral("V\nI\nN\n\nN\nO\nN\n\nT\nR\nO\nU\nV\nE"), this);
    m_notFound->setAlignment(Qt::AlignCenter);
    m_notFound->setFixedWidth(22);
    middle->addWidget(m_notFound);
    QWidget* swatch = nullptr;
    QWidget* caption = nullptr;
    middle->addWidget(RackControls::legend({{QStringLiteral("Rouge"), QColor(255, 0, 0)},
                                            {QStringLiteral("Blanc"), QColor(246, 245, 140)},
                                            {QStringLiteral("Rosé"), QColor(246, 140, 240)},
                                            {QStringLiteral("Autre"), QColor(255, 255, 255)},
                                            {QString(), QColor(0, 254, 54)}},
                                           this, &swatch, &caption));
    m_legendSwatch = swatch;
    m_legendText = static_cast<QLabel*>(caption);
    layout->addLayout(middle, 1);
    layout->addWidget(new QLabel(
        QStringLiteral("Vous pouvez utiliser le bouton droit de votre souris pour remplir une ligne ou une colonne"),
        this));
    resize(820, 560);
}

void RackDialog::applyGeometry(int rack)
{
    RackControls::applyGeometry(rack, m_grid, m_columnList, m_rowList);
    m_gridWidget->update();
}

int RackDialog::rackOfWine()
{
    return session() ? RackStore::findRack(*session(), m_wine) : 1;
}

bool RackDialog::showWineInRack(int rack)
{
    if (!session())
        return false;
    bool found = false;
    const qint64 mark = m_mode == kVisualisation ? m_wine : 0;
    if (!RackStore::loadRack(*session(), QStringLiteral("CDRayonnage::OnRechercheVinCasier"), rack, mark, m_grid,
                             m_owners, &found))
        return false;
    // Outside "Visualisation" the wine's own bottles are not marked, but it is found in them all the same.
    if (mark == 0 && m_wine != 0) {
        for (int x = 1; x <= RackGrid::kMax && !found; ++x) {
            for (int y = 1; y <= RackGrid::kMax && !found; ++y)
                found = m_owners[x][y].wine == m_wine;
        }
    }
    m_notFound->setVisible(!found);
    m_gridWidget->update();
    return true;
}

int RackDialog::remaining() const
{
    return m_count - static_cast<int>(m_grid.cellsInState(RackGrid::Marked).size());
}

void RackDialog::showRemaining()
{
    if (m_mode == kCreation)
        m_countLabel->setText(QStringLiteral("Nb de bouteilles à ajouter : %1").arg(remaining()));
    else if (m_mode == kSortie)
        m_countLabel->setText(QStringLiteral("Nb de bouteilles à sortir : %1").arg(remaining()));
}

QString RackDialog::findWine(int column, int row)
{
    if (!session())
        return QStringLiteral("Inconnu");
    return RackStore::describeCell(*session(), QStringLiteral("CDRayonnage::OnRechercheVin"),
                                   m_rackList->currentText().toInt(), column, row);
}

void RackDialog::onRackChanged()
{
    m_grid.clear(); // marks are per rack shown: the count starts again
    m_unmarked.clear();
    showRemaining();
    // Any rack can be browsed; the searched wine's bottles are marked wherever they are.
    m_shownRack = qMax(1, m_rackList->currentText().toInt());
    applyGeometry(m_shownRack);
    showWineInRack(m_shownRack);
}

void RackDialog::onGeometryChanged()
{
    m_grid.setColumns(m_columnList->currentText().toInt());
    m_grid.setRows(m_rowList->currentText().toInt());
    m_gridWidget->update();
}

void RackDialog::cellClicked(const RackGrid::Cell& cell)
{
    // No more cells are marked than there are bottles to place or to take out; a mark clicked again goes.
    const int state = m_grid.state(cell.column, cell.row);
    if (m_mode == kCreation) {
        if (state == RackGrid::Empty && remaining() > 0)
            m_grid.setState(cell.column, cell.row, RackGrid::Marked);
        else if (state == RackGrid::Marked)
            m_grid.setState(cell.column, cell.row, RackGrid::Empty);
    } else if (m_mode == kSortie) {
        if (state != RackGrid::Empty && state != RackGrid::Marked && remaining() > 0) {
            m_unmarked[{cell.column, cell.row}] = state;
            m_grid.setState(cell.column, cell.row, RackGrid::Marked);
        } else if (state == RackGrid::Marked && m_unmarked.contains({cell.column, cell.row})) {
            m_grid.setState(cell.column, cell.row, m_unmarked.take({cell.column, cell.row}));
        }
    } else {
        return;
    }
    showRemaining();
    m_gridWidget->update();
}

int RackDialog::fillLimit() const
{
    return m_mode == kCreation || m_mode == kSortie ? qMax(0, remaining()) : -1;
}

void RackDialog::fillRow(const RackGrid::Cell& cell)
{
    m_grid.fillRow(cell, fillLimit());
    showRemaining();
    m_gridWidget->update();
}

void RackDialog::fillColumn(const RackGrid::Cell& cell)
{
    m_grid.fillColumn(cell, fillLimit());
    showRemaining();
    m_gridWidget->update();
}

void RackDialog::save()
{
    if (m_mode != kCreation && m_mode != kSortie)
        return;
    const int rack = m_rackList->currentText().toInt();
    RackGeometry::save(rack, RackGeometry{m_columnList->currentText().toInt(), m_rowList->currentText().toInt()});
    if (!session())
        return;

    std::vector<RackStore::Change> changes;
    const std::vector<RackGrid::Cell> marked = m_grid.cellsInState(RackGrid::Marked);
    if (m_mode == kCreation && !marked.empty() && !RackStore::wineExists(*session(), m_wine)) {
        // Positions of a wine that is not in the cellar would be bottles nobody can find.
        Prompt::show(QStringLiteral("Ce vin n'est plus dans votre cave : aucune bouteille n'a été rangée."),
                     QStringLiteral("Erreur"), Prompt::Icon::Exclamation);
        return;
    }
    for (const RackGrid::Cell& cell : marked) {
        RackStore::Change change{cell.column, cell.row, 0, 0};
        if (m_mode == kCreation)
            change.addWine = m_wine;
        else
            change.removeRowid = m_owners[cell.column][cell.row].rowid;
        if (change.addWine != 0 || change.removeRowid != 0)
            changes.push_back(change);
    }
    switch (RackStore::apply(*session(), QStringLiteral("CDRayonnage::OnCreationRayon"), rack, changes)) {
    case RackStore::Outcome::Written:
        accept();
        break;
    case RackStore::Outcome::AddFailed:
        Prompt::show(QStringLiteral("Impossible d'écrire l'enregistrement CAVE"), QStringLiteral("Erreur"),
                     Prompt::Icon::Exclamation);
        break;
    case RackStore::Outcome::RemoveFailed:
        Prompt::show(QStringLiteral("Impossible de supprimer l'enregistrement RAYONNAGE"), QStringLiteral("Erreur"),
                     Prompt::Icon::Exclamation);
        break;
    }
}
