#include "reference/ui/EditDishDialog.h"

#include "reference/ui/DishList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ReferenceDialog::refuse;
using ReferenceDialog::session;

EditDishDialog::EditDishDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDModifPlat"));
    setWindowTitle(QStringLiteral("Modification d'un plat"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Liste des plats présents"), this));
    m_dishes = new DishList(this);
    layout->addWidget(m_dishes, 1);
    layout->addWidget(new QLabel(QStringLiteral("Le plat que vous allez modifier"), this));
    m_old = new QLineEdit(this);
    m_old->setReadOnly(true);
    ReferenceDialog::paint(m_old, ReferenceDialog::kPale, QColor(255, 0, 0));
    layout->addWidget(m_old);
    layout->addWidget(new QLabel(QStringLiteral("Rentrez le nouveau libellé"), this));
    m_new = new QLineEdit(this);
    layout->addWidget(m_new);
    auto* buttons = new QDialogButtonBox(this);
    m_delete = buttons->addButton(QStringLiteral("Supprimer ce plat"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Enregistrer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditDishDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_delete, &QPushButton::clicked, this, &EditDishDialog::deleteDish);
    connect(m_dishes, &DishList::dishSelected, this, &EditDishDialog::dishChosen);
    const int line = fontMetrics().height();
    resize(line * 26, line * 26);
    fillDishList();
}

void EditDishDialog::fillDishList()
{
    if (session())
        m_dishes->setDishes(Dishes::all(*session(), QStringLiteral("CDModifPlat::InitListePlats")));
}

void EditDishDialog::dishChosen()
{
    const Dishes::Dish* dish = m_dishes->selectedDish();
    m_old->setText(dish ? dish->name : QString());
}

void EditDishDialog::applyAndClose()
{
    const Dishes::Dish* dish = m_dishes->selectedDish();
    if (!dish || m_old->text().isEmpty())
        return refuse(QStringLiteral("Vous n'avez pas selectionné de plat\ndonc pas de modification"));
    if (!ReferenceLists::isName(m_new->text()))
        return refuse(QStringLiteral("Vous devez donner une nouvelle valeur à ce plat"));
    MAJ(dish->index);
    accept();
}

bool EditDishDialog::MAJ(qint64 index)
{
    if (!session())
        return false;
    switch (Dishes::rename(*session(), index, m_new->text())) {
    case ReferenceLists::Write::Done:
        return true;
    case ReferenceLists::Write::NotFound:
        return false;
    default:
        refuse(QStringLiteral("Impossible de modifier le Plat"));
        return false;
    }
}

void EditDishDialog::deleteDish()
{
    const Dishes::Dish* dish = m_dishes->selectedDish();
    if (!dish || !session())
        return refuse(QStringLiteral("Vous n'avez pas selectionné de plat\ndonc pas de suppression"));
    const Dishes::Dish chosen = *dish;
    const std::optional<int> wines = Dishes::suggestedBy(*session(), chosen.index);
    if (!wines)
        return refuse(QStringLiteral("Impossible de lire les vins qui suggèrent ce plat : rien n'a été supprimé."));
    QString text = QStringLiteral("Supprimer le plat « %1 » ?").arg(chosen.name);
    if (*wines > 0)
        text += QStringLiteral("\n\nIl est suggéré avec %n vin(s) de la bibliothèque : il sera retiré de leurs "
                               "plats associés.")
                    .replace(QStringLiteral("%n"), QString::number(*wines));
    if (Prompt::show(text, QStringLiteral("Attention !"), Prompt::Icon::Question, Prompt::Buttons::YesNoDefaultNo) !=
        Prompt::Answer::Yes)
        return;
    if (Dishes::remove(*session(), chosen.index) == ReferenceLists::Write::Failed)
        return refuse(QStringLiteral("Impossible de supprimer le plat : rien n'a été modifié."));
    m_dishes->dishModel()->removeAt(m_dishes->selectedRow());
    m_old->clear();
}
