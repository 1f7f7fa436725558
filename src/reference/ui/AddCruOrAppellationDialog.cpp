#include "reference/ui/AddCruOrAppellationDialog.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "reference/ReferenceLists.h"
#include "reference/ui/ReferenceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using ReferenceDialog::refuse;
using ReferenceDialog::session;

AddCruOrAppellationDialog::AddCruOrAppellationDialog(int mode, QWidget* parent) : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("CDAjout"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_type = new QComboBox(this);
    m_appellation = new QComboBox(this);
    m_cru = new QComboBox(this);
    m_caption = new QLabel(this);
    m_name = new QLineEdit(this);
    form->addRow(QStringLiteral("Vin"), m_type);
    form->addRow(QStringLiteral("Appellation"), m_appellation);
    form->addRow(QStringLiteral("Cru :"), m_cru);
    form->addRow(m_caption, m_name);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Enregistrer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddCruOrAppellationDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_type, &QComboBox::currentIndexChanged, this, &AddCruOrAppellationDialog::wineTypeChanged);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    fillControls();
}

void AddCruOrAppellationDialog::fillControls()
{
    const QString label = QStringLiteral("CDAjout::OnInitDialog");
    if (m_mode == 2) {
        m_cru->setEnabled(false);
        m_caption->setText(QStringLiteral("Appellation à ajouter"));
        setWindowTitle(QStringLiteral("Ajout d'une Appellation"));
        if (session())
            m_type->addItems(ReferenceLists::wineTypes(*session(), label));
        m_type->setCurrentIndex(m_type->count() > 0 ? 0 : -1);
        wineTypeChanged();
    } else {
        m_type->setEnabled(false);
        m_appellation->setEnabled(false);
        m_caption->setText(QStringLiteral("Cru à ajouter"));
        setWindowTitle(QStringLiteral("Ajout d'un Cru"));
        if (session())
            m_cru->addItems(ReferenceLists::crus(*session(), label));
        m_cru->setCurrentIndex(m_cru->count() > 0 ? 0 : -1);
    }
}

void AddCruOrAppellationDialog::wineTypeChanged()
{
    m_appellation->clear();
    if (m_mode != 2 || m_type->currentIndex() < 0 || !session())
        return;
    QStringList names;
    for (const ReferenceLists::Appellation& row :
         ReferenceLists::appellationsOf(*session(), QStringLiteral("CDAjout::OnSelchangeCbvin"), m_type->currentText()))
        names << row.name;
    names.sort(Qt::CaseInsensitive);
    m_appellation->addItems(names);
    m_appellation->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void AddCruOrAppellationDialog::done()
{
    Prompt::show(QStringLiteral("Votre enregistrement a été effectué !"), QStringLiteral("Information"),
                 Prompt::Icon::Information);
    accept();
}

void AddCruOrAppellationDialog::applyAndClose()
{
    if (!session())
        return;
    const QString name = m_name->text();
    if (m_mode == 2 && m_type->currentIndex() < 0)
        return refuse(QStringLiteral("Il n'y a encore aucun vin dans votre cave : créez d'abord un vin (menu "
                                     "« Ajouter », « Vin »), puis ajoutez-lui des appellations."));
    if (!ReferenceLists::isName(name))
        return refuse(QStringLiteral("Impossible d'écrire un enregistrement vide"));
    if (m_mode == 2) {
        switch (ReferenceLists::addAppellation(*session(), m_type->currentText(), name)) {
        case ReferenceLists::Write::Done:
            break;
        case ReferenceLists::Write::Duplicate:
            return refuse(QStringLiteral("Déja présent dans les CRUS"));
        default:
            return refuse(QStringLiteral("Impossible d'écrire l'enregistrement Applelation"));
        }
    } else {
        switch (ReferenceLists::addCru(*session(), name)) {
        case ReferenceLists::Write::Done:
            break;
        case ReferenceLists::Write::Duplicate:
            return refuse(QStringLiteral("Déja présent dans les CRUS"));
        default:
            return refuse(QStringLiteral("Impossible d'écrire l'enregistrement CRU"));
        }
    }
    done();
}
