#include "reference/ui/DishesForWineDialog.h"

#include "reference/ui/DishList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

DishesForWineDialog::DishesForWineDialog(QWidget* parent, const QString& relPlats) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDAssoVinPlat"));
    setWindowTitle(QStringLiteral("Plats / Vins"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Liste ses plats associés avec ce vin"), this));
    m_dishes = new DishList(this);
    layout->addWidget(m_dishes, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    const int line = fontMetrics().height();
    resize(line * 24, line * 20);
    if (!ReferenceDialog::session())
        return;
    // A sorted list, as the dishes' names read.
    std::vector<Dishes::Dish> dishes =
        Dishes::of(*ReferenceDialog::session(), QStringLiteral("Cpage5::DecoupagePlats"), relPlats);
    std::stable_sort(dishes.begin(), dishes.end(),
                     [](const auto& a, const auto& b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
    m_dishes->setDishes(std::move(dishes));
}
