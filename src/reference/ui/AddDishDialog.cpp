#include "reference/ui/AddDishDialog.h"

#include "reference/ui/DishList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using ReferenceDialog::refuse;
using ReferenceDialog::session;

AddDishDialog::AddDishDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDAjoutPlat"));
    setWindowTitle(QStringLiteral("Rajout d'une réference de plat"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Plat à ajouter"), this));
    m_name = new QLineEdit(this);
    layout->addWidget(m_name);
    layout->addWidget(new QLabel(QStringLiteral("Plat déja existants"), this));
    m_dishes = new DishList(this);
    layout->addWidget(m_dishes, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Ajouter"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddDishDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const int line = fontMetrics().height();
    resize(line * 26, line * 24);
    fillDishList();
}

void AddDishDialog::fillDishList()
{
    if (session())
        m_dishes->setDishes(Dishes::all(*session(), QStringLiteral("CDAjoutPlat::InitListePlats")));
}

void AddDishDialog::applyAndClose()
{
    const QString name = m_name->text();
    // No name, no dish: the dialog closes without writing.
    if (!ReferenceLists::isName(name) || !session()) {
        accept();
        return;
    }
    if (Dishes::add(*session(), name) == 0)
        return refuse(QStringLiteral("Impossible d'écrire l'enregistrement PLATS"));
    accept();
}
