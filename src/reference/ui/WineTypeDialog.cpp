#include "reference/ui/WineTypeDialog.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "reference/ReferenceLists.h"
#include "reference/ui/NameList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ReferenceDialog::refuse;
using ReferenceDialog::session;

namespace {

const QString kAll = QStringLiteral("_TOUTES");

} // namespace

WineTypeDialog::WineTypeDialog(QWidget* parent, int mode) : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("CDAjoutVin"));
    auto* layout = new QVBoxLayout(this);
    m_info = new QLabel(this);
    m_info->setWordWrap(true);
    layout->addWidget(m_info);
    auto* grid = new QGridLayout;
    m_types = new NameList(this);
    m_types->setObjectName(QStringLiteral("typeList"));
    m_types->setMinimumHeight(fontMetrics().height() * 10);
    grid->addWidget(m_types, 0, 0, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("Pays :"), this), 0, 1);
    m_country = new QComboBox(this);
    grid->addWidget(m_country, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Couleur du vin :"), this), 1, 1);
    m_colour = new QComboBox(this);
    m_colour->addItems(ColourCode::sortedWords());
    m_colour->setCurrentIndex(-1);
    grid->addWidget(m_colour, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Nom du vin :"), this), 2, 1);
    m_name = new QLineEdit(this);
    grid->addWidget(m_name, 2, 2);
    m_help = new QLabel(this);
    m_help->setWordWrap(true);
    grid->addWidget(m_help, 3, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Appellation :"), this), 4, 1);
    m_appellation = new QLineEdit(this);
    m_appellations = new QComboBox(this);
    grid->addWidget(m_appellation, 4, 2);
    grid->addWidget(m_appellations, 4, 2); // in the edit's place: one of the two is shown
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 2);
    layout->addLayout(grid, 1);
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(m_mode == 2 ? QStringLiteral("Modifier") : QStringLiteral("OK"),
                              QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &WineTypeDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_types, &NameList::nameSelected, this, &WineTypeDialog::wineTypeChosen);
    fillControls();
}

void WineTypeDialog::fillControls()
{
    if (m_mode == 2) {
        setWindowTitle(QStringLiteral("Modificattion d'un Vin"));
        m_info->setText(QStringLiteral("Vous pouvez modifier les renseignements un par un ou l'ensemble"));
        m_help->setText(
            QStringLiteral("Choisissez l'Appelation dont vous voulez changer le nom du VIN si '_TOUTES' = toutes"));
        m_appellation->hide();
    } else {
        setWindowTitle(QStringLiteral("Création d'un Vin"));
        m_info->setText(QStringLiteral("Vous devez selectionner ou remplir l'ensemble des zones"));
        m_help->setText(
            QStringLiteral("Vous devez lors de la création d'un nouveau vin mettre une première Appelation"));
        m_appellations->hide();
    }
    if (!session())
        return;
    m_types->setNames(ReferenceLists::wineTypes(*session(), QStringLiteral("CDAjoutVin::OnInitDialog")));
    m_country->addItems(ReferenceLists::countries(*session(), QStringLiteral("CDAjoutVin::OnInitDialog")));
    m_country->setCurrentIndex(-1);
}

void WineTypeDialog::wineTypeChosen()
{
    const QString type = m_types->selectedName();
    if (type.isEmpty() || !session())
        return;
    m_appellations->clear();
    m_appellations->addItem(kAll);
    m_name->setText(type);
    const std::vector<ReferenceLists::Appellation> rows =
        ReferenceLists::appellationsOf(*session(), QStringLiteral("CDAjoutVin::OnLbnSelchangeListvin"), type);
    QStringList names;
    for (const ReferenceLists::Appellation& row : rows)
        names << row.name;
    names.sort(Qt::CaseInsensitive);
    m_appellations->addItems(names);
    // Nothing is chosen for the user: "Modifier" without a choice asks for one, so that a rename never
    // recolours every appellation of the type by default.
    m_appellations->setCurrentIndex(-1);
    if (rows.empty())
        return;
    // The row read last decides what the combos show.
    const ReferenceLists::Appellation& last = rows.back();
    if (m_mode == 2) {
        int found = -1;
        for (int i = 0; i < m_country->count() && found < 0 && !last.nic.isEmpty(); ++i) {
            if (m_country->itemText(i).startsWith(last.nic, Qt::CaseInsensitive))
                found = i;
        }
        m_country->setCurrentIndex(found);
    }
    m_colour->setCurrentIndex(last.colour ? m_colour->findText(ColourCode::word(*last.colour)) : -1);
}

bool WineTypeDialog::confirm(const QString& first, const QString& appellation, const QString& nic,
                             const QString& colour)
{
    const QString text = first + QStringLiteral("Vin\t\t: ") + m_name->text() + QLatin1Char('\n') +
                         QStringLiteral("Appellation\t: ") + appellation + QLatin1Char('\n') +
                         QStringLiteral("Pays\t\t: ") + nic + QLatin1Char('\n') + QStringLiteral("Couleur\t\t: ") +
                         colour + QLatin1Char('\n');
    return Prompt::show(text, QStringLiteral("Attention"), Prompt::Icon::Exclamation, Prompt::Buttons::OkCancel) ==
           Prompt::Answer::Ok;
}

bool WineTypeDialog::confirmMerge(const QString& oldType, const QString& appellation, const QString& newType)
{
    if (newType.compare(oldType, Qt::CaseInsensitive) == 0 || !m_types->containsIgnoringCase(newType))
        return true;
    const std::optional<ReferenceLists::Moved> moved = ReferenceLists::countMoved(*session(), oldType, appellation);
    if (!moved) {
        refuse(QStringLiteral("Impossible de lire les lots du vin « %1 » : rien n'a été modifié.").arg(oldType));
        return false;
    }
    const QString text = QStringLiteral("Le vin « %1 » existe déjà : « %2 » sera réuni avec lui.\n"
                                        "%3 lot(s) et %4 appellation(s) passeront sous « %1 ».\n\n"
                                        "Voulez-vous réunir ces deux vins ?")
                             .arg(newType, oldType, QString::number(moved->lots), QString::number(moved->appellations));
    return Prompt::show(text, QStringLiteral("Attention"), Prompt::Icon::Exclamation,
                        Prompt::Buttons::YesNoDefaultNo) == Prompt::Answer::Yes;
}

void WineTypeDialog::applyAndClose()
{
    if (!session())
        return;
    if (m_mode == 2)
        modify();
    else
        create();
}

void WineTypeDialog::create()
{
    const QString erreur = QStringLiteral("Erreur");
    const QString name = m_name->text();
    const QString appellation = m_appellation->text();
    if (m_types->containsIgnoringCase(name))
        return refuse(QStringLiteral("Le vin existe déja"), erreur);
    if (!ReferenceLists::isName(name))
        return refuse(QStringLiteral("Vous devez donner un nom au nouveau vin"), erreur);
    if (!ReferenceLists::isName(appellation))
        return refuse(QStringLiteral("Vous devez donner un nom à la première appellation de ce vin"), erreur);
    if (m_colour->currentIndex() < 0)
        return refuse(QStringLiteral("Vous devez donner une couleur à ce vin"), erreur);
    if (m_country->currentIndex() < 0)
        return refuse(QStringLiteral("Vous devez donner un Pays d'origine à ce vin"), erreur);
    const QString colour = m_colour->currentText();
    const QString nic = m_country->currentText().left(2);
    if (!confirm(QStringLiteral("Merci de confirmer cette Création !\n\n"), appellation, nic, colour))
        return;
    switch (ReferenceLists::createWineType(*session(), name, appellation, nic, *ColourCode::fromWord(colour))) {
    case ReferenceLists::Write::Done:
        break;
    case ReferenceLists::Write::Duplicate:
        return refuse(QStringLiteral("Vin déja présent"), erreur);
    default:
        return refuse(QStringLiteral("Impossible d'écrire l'enregistrement Applelation"), erreur);
    }
    Prompt::show(QStringLiteral("Votre enregistrement a été effectué !"), QStringLiteral("Information"),
                 Prompt::Icon::Information);
    accept();
}

void WineTypeDialog::modify()
{
    const QString attention = QStringLiteral("Attention");
    const QString name = m_name->text();
    if (name.isEmpty())
        return refuse(QStringLiteral("Vous devez sélectioner le vin à modifier"), QStringLiteral("Erreur"));
    const QString oldType = m_types->selectedName();
    if (!m_types->hasSelection())
        return;
    if (!ReferenceLists::isName(name))
        return refuse(QStringLiteral("Vous devez donner un nom au nouveau vin"), QStringLiteral("Erreur"));
    if (m_colour->currentIndex() < 0)
        return refuse(QStringLiteral("Vous devez donner une couleur à ce vin"), attention);
    if (m_country->currentIndex() < 0)
        return refuse(QStringLiteral("Vous devez donner un Pays d'origine à ce vin"), attention);
    if (m_appellations->currentIndex() < 0)
        return refuse(QStringLiteral("Vous devez selectionner une(ou toutes) Appellation de ce vin"), attention);
    const QString colour = m_colour->currentText();
    const QString nic = m_country->currentText().left(2);
    const QString appellation = m_appellations->currentText();
    if (!confirm(QStringLiteral("Merci de confirmer cette Modification !\n\n"), appellation, nic, colour))
        return;
    const QString renamed = appellation == kAll ? QString() : appellation;
    if (!confirmMerge(oldType, renamed, name))
        return;
    const ReferenceLists::Write result =
        ReferenceLists::modifyWineType(*session(), oldType, renamed, name, nic, *ColourCode::fromWord(colour));
    switch (result) {
    case ReferenceLists::Write::Done:
        break;
    case ReferenceLists::Write::NotFound:
        return;
    case ReferenceLists::Write::Duplicate:
        return refuse(QStringLiteral("Déja présent dans les CRUS"), QStringLiteral("Erreur"));
    case ReferenceLists::Write::Failed:
        return refuse(QStringLiteral("Impossible d'écrire l'enregistrement Applelation"), QStringLiteral("Erreur"));
    }
    Prompt::show(QStringLiteral("Votre Modificetion a été effectuée !"), QStringLiteral("Information"),
                 Prompt::Icon::Information);
    accept();
}
