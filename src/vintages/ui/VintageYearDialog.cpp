#include "vintages/ui/VintageYearDialog.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "vintages/VintageRatings.h"
#include "widgets/ui/ColorLabel.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

VintageYearDialog::VintageYearDialog(QWidget* parent, int mode, int currentYear) : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("CDAjoutAnnee"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_label = new ColorLabel(this);
    m_label->SetBackColour(QColor(243, 244, 186));
    m_label->SetTextColour(QColor(255, 0, 0));
    m_label->setMargin(2);
    m_year = new QComboBox(this);
    top->addWidget(m_label);
    top->addWidget(m_year, 1);
    layout->addLayout(top);
    auto* ratings = new QGroupBox(QStringLiteral("Cote :"), this);
    auto* form = new QFormLayout(ratings);
    for (const QString& label : VintageRatings::regionLabels()) {
        auto* combo = new QComboBox(ratings);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(VintageRatings::ratingItems());
        combo->setCurrentIndex(0);
        form->addRow(label, combo);
        m_regions << combo;
    }
    layout->addWidget(ratings);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Enregistrer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &VintageYearDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const int year = currentYear != 0 ? currentYear : QDate::currentDate().year();
    const std::vector<VintageEntry>& table = VintageTable::entries();
    if (m_mode == 1) {
        m_label->setText(QStringLiteral("Année à modifier :"));
        setWindowTitle(QStringLiteral("Modification d'une année"));
        m_year->addItems(VintageRatings::yearsToModify(table));
        m_year->setCurrentIndex(m_year->count() > 0 ? 0 : -1);
        yearChosen();
        connect(m_year, &QComboBox::currentIndexChanged, this, &VintageYearDialog::yearChosen);
    } else {
        m_label->setText(QStringLiteral("Année à ajouter :"));
        setWindowTitle(QStringLiteral("Ajout d'une année"));
        const QStringList years = VintageRatings::yearsToAdd(table, year);
        m_year->addItems(years);
        m_year->setCurrentIndex(years.isEmpty() ? -1 : static_cast<int>(years.size()) - 1);
    }
}

void VintageYearDialog::yearChosen()
{
    CellarSession* session = CellarSession::current();
    if (!session || m_year->currentIndex() < 0)
        return;
    const QString chosen = m_year->currentText();
    for (const VintageRatings::Year& year :
         VintageRatings::load(*session, QStringLiteral("CDAjoutAnnee::OnSelchangeCbannee"))) {
        if (year.year != chosen)
            continue;
        // The entry equal to the rating ("12" selects "12", not "1"); a rating no entry has is shown as it is.
        for (int r = 0; r < m_regions.size(); ++r) {
            const int index = m_regions[r]->findText(year.ratings.value(r));
            if (index >= 0)
                m_regions[r]->setCurrentIndex(index);
            else
                m_regions[r]->setEditText(year.ratings.value(r));
        }
        return;
    }
}

void VintageYearDialog::applyAndClose()
{
    CellarSession* session = CellarSession::current();
    if (!session)
        return;
    if (m_year->currentIndex() < 0) {
        Prompt::show(QStringLiteral("Aucune année n'est à %1.")
                         .arg(m_mode == 1 ? QStringLiteral("modifier") : QStringLiteral("ajouter")),
                     QStringLiteral("Erreur"), Prompt::Icon::Exclamation);
        return;
    }
    // A typed rating must be one of the list's: "" or a whole number from 0 to 20.
    QStringList ratings;
    const QStringList labels = VintageRatings::regionLabels();
    for (int r = 0; r < m_regions.size(); ++r) {
        const QString rating = m_regions[r]->currentText().trimmed();
        if (!VintageRatings::isRating(rating)) {
            Prompt::show(QStringLiteral("La côte « %1 » donnée pour %2 n'est pas une note de 0 à 20 : rien n'a été "
                                        "enregistré.")
                             .arg(rating, labels[r].chopped(2)),
                         QStringLiteral("Erreur"), Prompt::Icon::Exclamation);
            return;
        }
        ratings << rating;
    }
    const QString year = m_year->currentText();
    if (m_mode == 1) {
        if (!VintageRatings::modifyYear(*session, year, ratings)) {
            Prompt::show(QStringLiteral("Impossible de modifier l'année"), QStringLiteral("Erreur"),
                         Prompt::Icon::Exclamation);
            return;
        }
    } else {
        if (!VintageRatings::addYear(*session, year.toInt(), ratings)) {
            Prompt::show(QStringLiteral("Impossible d'écrire l'enregistrement ANNEES"), QStringLiteral("Erreur"),
                         Prompt::Icon::Exclamation);
            return;
        }
    }
    Prompt::show(QStringLiteral("Votre enregistrement a été effectué !"), QStringLiteral("Information"),
                 Prompt::Icon::Information);
    accept();
}
