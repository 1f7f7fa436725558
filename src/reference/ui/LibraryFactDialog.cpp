#include "reference/ui/LibraryFactDialog.h"

#include "reference/Library.h"
#include "reference/ReferenceEvents.h"
#include "reference/ui/AddDishDialog.h"
#include "reference/ui/DishList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ReferenceDialog::session;

namespace {

void stop(const QString& text)
{
    Prompt::show(text, QStringLiteral("Erreur"), Prompt::Icon::Stop);
}

QStringList temperatures()
{
    QStringList list;
    for (int t = 8; t <= 25; ++t)
        list << QStringLiteral("%1").arg(t, 2, 10, QLatin1Char('0'));
    return list;
}

// The first entry that begins with text, without regard to case (an empty text: the first entry).
int startingWith(const QComboBox* combo, const QString& text)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace

QString LibraryFactDialog::titleOf(int attribute)
{
    switch (attribute) {
    case Library::Grapes:
        return QStringLiteral("Modification du cépage");
    case Library::Soil:
        return QStringLiteral("Modification du terroir");
    case Library::Character:
        return QStringLiteral("Modification du caractère du vin");
    case Library::Vintages:
        return QStringLiteral("Modification des millésimes exeptionnels");
    case Library::Area:
        return QStringLiteral("Modification de la superficie");
    case Library::Dishes:
        return QStringLiteral("Modification des plats associés");
    case Library::Keeping:
        return QStringLiteral("Modification de la Garde");
    case Library::Temperature:
        return QStringLiteral("Modification de la température de dégustation");
    default:
        return QStringLiteral("Modification de ....");
    }
}

LibraryFactDialog::LibraryFactDialog(QWidget* parent, int attribute, const QString& type, const QString& appellation)
    : QDialog(parent), m_attribute(attribute), m_type(type), m_appellation(appellation)
{
    setObjectName(QStringLiteral("CDMajType"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Ancienne Valeur"), this));
    m_old = new QPlainTextEdit(this);
    m_old->setReadOnly(true);
    m_old->setMaximumHeight(fontMetrics().height() * 5);
    ReferenceDialog::paint(m_old, ReferenceDialog::kPale, QColor(255, 0, 0));
    layout->addWidget(m_old);
    m_newLabel = new QLabel(QStringLiteral("Nouvelle Valeur"), this);
    layout->addWidget(m_newLabel);
    m_new = new QLineEdit(this);
    layout->addWidget(m_new);

    m_temperature = new QWidget(this);
    auto* bounds = new QHBoxLayout(m_temperature);
    bounds->setContentsMargins(0, 0, 0, 0);
    m_minimum = new QComboBox(m_temperature);
    m_maximum = new QComboBox(m_temperature);
    m_minimum->addItems(temperatures());
    m_maximum->addItems(temperatures());
    bounds->addWidget(new QLabel(QStringLiteral("de"), m_temperature));
    bounds->addWidget(m_minimum);
    bounds->addWidget(new QLabel(QStringLiteral("à"), m_temperature));
    bounds->addWidget(m_maximum);
    bounds->addStretch(1);
    layout->addWidget(m_temperature);

    m_dishes = new QWidget(this);
    auto* dishes = new QGridLayout(m_dishes);
    dishes->setContentsMargins(0, 0, 0, 0);
    dishes->addWidget(new QLabel(QStringLiteral("Plats de ce vin"), m_dishes), 0, 0);
    dishes->addWidget(new QLabel(QStringLiteral("Plats de référence"), m_dishes), 0, 2);
    m_wineDishes = new DishList(m_dishes);
    m_reference = new DishList(m_dishes);
    dishes->addWidget(m_wineDishes, 1, 0);
    dishes->addWidget(m_reference, 1, 2);
    auto* moves = new QVBoxLayout;
    auto* add = new QPushButton(QStringLiteral("<<"), m_dishes);
    auto* remove = new QPushButton(QStringLiteral(">>"), m_dishes);
    add->setToolTip(QStringLiteral("Ajoute le plat de référence choisi aux plats de ce vin"));
    remove->setToolTip(QStringLiteral("Retire le plat choisi des plats de ce vin"));
    moves->addStretch(1);
    moves->addWidget(add);
    moves->addWidget(remove);
    moves->addStretch(1);
    dishes->addLayout(moves, 1, 1);
    auto* reference = new QPushButton(QStringLiteral("Ajout d'un plat de référence"), m_dishes);
    dishes->addWidget(reference, 2, 2);
    layout->addWidget(m_dishes, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Enregistrer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &LibraryFactDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &LibraryFactDialog::addDish);
    connect(remove, &QPushButton::clicked, this, &LibraryFactDialog::removeDish);
    connect(reference, &QPushButton::clicked, this, &LibraryFactDialog::addReferenceDish);
    connect(m_reference, &QListView::doubleClicked, this, &LibraryFactDialog::addDish);
    connect(m_wineDishes, &QListView::doubleClicked, this, &LibraryFactDialog::removeDish);
    fillControls();
}

void LibraryFactDialog::fillControls()
{
    setWindowTitle(titleOf(m_attribute));
    const bool temperature = m_attribute == Library::Temperature;
    const bool dishes = m_attribute == Library::Dishes;
    m_temperature->setVisible(temperature);
    m_dishes->setVisible(dishes);
    m_new->setVisible(!temperature && !dishes);
    m_newLabel->setVisible(!dishes);
    const int line = fontMetrics().height();
    resize(line * (dishes ? 40 : 30), dishes ? line * 30 : sizeHint().height());
    if (!session())
        return;
    const Library::Facts facts =
        Library::facts(*session(), QStringLiteral("Cpage5::RechercheCarac"), m_type, m_appellation);
    if (dishes) {
        readFacts();
        fillDishList();
        return;
    }
    const QString value = facts.value(m_attribute);
    m_old->setPlainText(value);
    if (temperature) {
        const Library::TemperatureRange range = Library::splitTemperature(value);
        m_minimum->setCurrentIndex(startingWith(m_minimum, range.minimum));
        m_maximum->setCurrentIndex(startingWith(m_maximum, range.maximum));
    } else {
        m_new->setText(value);
    }
}

void LibraryFactDialog::fillDishList()
{
    if (session())
        m_reference->setDishes(Dishes::all(*session(), QStringLiteral("CDMajType::InitListePlats")));
}

void LibraryFactDialog::readFacts()
{
    if (!session())
        return;
    const Library::Facts facts =
        Library::facts(*session(), QStringLiteral("CDMajType::RechercheCarac"), m_type, m_appellation);
    std::vector<Dishes::Dish> dishes =
        Dishes::of(*session(), QStringLiteral("CDMajType::DecoupagePlats"), facts.relPlats);
    QString names;
    for (const Dishes::Dish& dish : dishes)
        names += dish.name + QLatin1Char(';');
    m_old->setPlainText(names);
    // The wine's list sorts its dishes by name; each keeps its index.
    m_wineDishes->setDishes({});
    for (const Dishes::Dish& dish : dishes)
        m_wineDishes->dishModel()->insertSorted(dish);
}

void LibraryFactDialog::addDish()
{
    const Dishes::Dish* dish = m_reference->selectedDish();
    if (!dish)
        return; // nothing chosen: nothing to add
    for (const Dishes::Dish& present : m_wineDishes->dishes()) {
        if (present.index == dish->index)
            return;
    }
    m_wineDishes->selectRow(m_wineDishes->dishModel()->insertSorted(*dish));
}

void LibraryFactDialog::removeDish()
{
    const int row = m_wineDishes->selectedRow();
    if (row >= 0)
        m_wineDishes->dishModel()->removeAt(row);
}

void LibraryFactDialog::addReferenceDish()
{
    AddDishDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        fillDishList(); // the new dish can be chosen at once
}

void LibraryFactDialog::applyAndClose()
{
    if (!session())
        return;
    QString value;
    if (m_attribute == Library::Temperature) {
        if (m_minimum->currentIndex() < 0)
            return stop(QStringLiteral("Vous devez choisr une température de dégustation minimum !"));
        if (m_maximum->currentIndex() < 0)
            return stop(QStringLiteral("Vous devez choisr une température de dégustation maximum !"));
        if (m_maximum->currentText().toInt() < m_minimum->currentText().toInt())
            return stop(QStringLiteral("la température maximum doit être supérieure à la mini!"));
        value = m_minimum->currentText() + QLatin1Char('-') + m_maximum->currentText();
    } else if (m_attribute == Library::Dishes) {
        std::vector<qint64> indexes;
        for (const Dishes::Dish& dish : m_wineDishes->dishes())
            indexes.push_back(dish.index);
        value = Dishes::encode(indexes);
    } else {
        value = m_new->text();
    }
    switch (Library::setFact(*session(), m_type, m_appellation, m_attribute, value)) {
    case ReferenceLists::Write::Done:
        break;
    case ReferenceLists::Write::NotFound:
        return stop(QStringLiteral("Impossible d'écrire l'enregistrement CAVE"));
    default:
        return stop(QStringLiteral("Impossible de modifier l'enregistrement CAVE"));
    }
    accept();
}
