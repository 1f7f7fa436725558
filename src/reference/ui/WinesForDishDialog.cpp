#include "reference/ui/WinesForDishDialog.h"

#include "reference/ui/DishList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using ReferenceDialog::session;

WinesForDishDialog::WinesForDishDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDPlatVin"));
    setWindowTitle(QStringLiteral("Suggestion pour un plat de vins"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Chox d'un plat"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Liste des vins pour le plat sélectionné"), this), 0, 1);
    m_dishes = new DishList(this);
    grid->addWidget(m_dishes, 1, 0);
    m_model = new QStandardItemModel(0, 2, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Vignoble"), QStringLiteral("Nom du Vin")});
    m_wines = new QTableView(this);
    m_wines->setModel(m_model);
    m_wines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_wines->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_wines->verticalHeader()->setVisible(false);
    m_wines->horizontalHeader()->setStretchLastSection(true);
    m_wines->setSortingEnabled(true);
    m_wines->setColumnWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("Côtes du Rhône Villages")));
    grid->addWidget(m_wines, 1, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    layout->addLayout(grid, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_dishes, &DishList::dishSelected, this, &WinesForDishDialog::dishChosen);
    const int line = fontMetrics().height();
    resize(line * 44, line * 26);
    fillControls();
}

void WinesForDishDialog::fillControls()
{
    if (session())
        m_dishes->setDishes(Dishes::all(*session(), QStringLiteral("CDPlatVin::OnInitDialog")));
}

void WinesForDishDialog::dishChosen()
{
    const Dishes::Dish* dish = m_dishes->selectedDish();
    if (!dish) {
        m_model->removeRows(0, m_model->rowCount());
        return;
    }
    findWine(dish->index);
}

void WinesForDishDialog::findWine(qint64 index)
{
    m_model->removeRows(0, m_model->rowCount());
    if (!session())
        return;
    const std::vector<Dishes::Wine> wines =
        Dishes::winesFor(*session(), QStringLiteral("CDPlatVin::OnRechercheVin"), index);
    m_model->setRowCount(static_cast<int>(wines.size()));
    for (int row = 0; row < static_cast<int>(wines.size()); ++row) {
        m_model->setItem(row, 0, new QStandardItem(wines[static_cast<size_t>(row)].type));
        m_model->setItem(row, 1, new QStandardItem(wines[static_cast<size_t>(row)].appellation));
    }
}
