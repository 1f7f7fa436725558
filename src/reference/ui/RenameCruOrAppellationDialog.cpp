#include "reference/ui/RenameCruOrAppellationDialog.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "reference/ReferenceLists.h"
#include "reference/ui/NameList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using ReferenceDialog::refuse;
using ReferenceDialog::session;

RenameCruOrAppellationDialog::RenameCruOrAppellationDialog(QWidget* parent, const QString& mode)
    : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("CDModifVAT"));
    auto* layout = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    m_list = new NameList(this);
    m_list->setObjectName(QStringLiteral("mainList"));
    lists->addWidget(m_list, 1);
    auto* right = new QVBoxLayout;
    m_hint = new QLabel(QStringLiteral("<-- Choisir un vin pour obtenir les Appelation"), this);
    right->addWidget(m_hint);
    m_appellations = new NameList(this);
    m_appellations->setObjectName(QStringLiteral("appellationList"));
    right->addWidget(m_appellations, 1);
    lists->addLayout(right, 1);
    layout->addLayout(lists, 1);
    auto* form = new QFormLayout;
    m_current = new QLineEdit(this);
    m_current->setEnabled(false);
    m_new = new QLineEdit(this);
    form->addRow(QStringLiteral("Nom actuel :"), m_current);
    form->addRow(QStringLiteral("Nouveau nom :"), m_new);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Enregistrer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &RenameCruOrAppellationDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &NameList::nameSelected, this, &RenameCruOrAppellationDialog::nameChosen);
    connect(m_appellations, &NameList::nameSelected, this, &RenameCruOrAppellationDialog::appellationChosen);
    const int line = fontMetrics().height();
    resize(line * 34, line * 24);
    fillControls();
}

void RenameCruOrAppellationDialog::fillControls()
{
    const QString label = QStringLiteral("CDModifVAT::OnInitDialog");
    m_hint->hide();
    if (crus()) {
        setWindowTitle(QStringLiteral("Modification d'un Cru"));
        m_appellations->hide();
        if (session())
            m_list->setNames(ReferenceLists::crus(*session(), label));
    } else {
        setWindowTitle(QStringLiteral("Modification d'une Appellation"));
        m_hint->show();
        m_appellations->show();
        if (session())
            m_list->setNames(ReferenceLists::wineTypes(*session(), label));
    }
}

void RenameCruOrAppellationDialog::nameChosen()
{
    if (crus()) {
        m_current->setText(m_list->selectedName());
        return;
    }
    QStringList names;
    if (session() && m_list->hasSelection()) {
        for (const ReferenceLists::Appellation& row : ReferenceLists::appellationsOf(
                 *session(), QStringLiteral("CDModifVAT::OnInitDialog"), m_list->selectedName()))
            names << row.name;
    }
    names.sort(Qt::CaseInsensitive);
    m_appellations->setNames(names);
    m_current->clear();
    if (!names.isEmpty())
        m_appellations->selectRow(0); // the first appellation, as the list shows it selected
}

void RenameCruOrAppellationDialog::appellationChosen()
{
    m_current->setText(m_appellations->selectedName());
}

void RenameCruOrAppellationDialog::applyAndClose()
{
    if (!ReferenceLists::isName(m_new->text())) {
        Prompt::show(QStringLiteral("Vous ne pouvez enregistrer cette modif sans donner la nouvelle valeur !"),
                     QStringLiteral("Erreur"), Prompt::Icon::Stop);
        return;
    }
    if (renameInCellar())
        accept();
}

bool RenameCruOrAppellationDialog::renameInCellar()
{
    if (!session())
        return false;
    const QString newName = m_new->text();
    if (crus()) {
        if (!m_list->hasSelection()) {
            refuse(QStringLiteral("Vous devez d'abord choisir dans la liste le cru à renommer."));
            return false;
        }
        const QString cru = m_list->selectedName();
        switch (ReferenceLists::renameCru(*session(), cru, newName)) {
        case ReferenceLists::Write::Done:
            return true;
        case ReferenceLists::Write::Duplicate:
            refuse(QStringLiteral("Le cru « %1 » existe déjà : rien n'a été modifié.").arg(newName));
            return false;
        default:
            refuse(QStringLiteral("Impossible de modifier le cru"));
            return false;
        }
    }
    if (!m_list->hasSelection() || !m_appellations->hasSelection()) {
        refuse(QStringLiteral("Vous devez d'abord choisir un vin puis l'appellation à renommer."));
        return false;
    }
    const QString type = m_list->selectedName();
    switch (ReferenceLists::renameAppellation(*session(), type, m_appellations->selectedName(), newName)) {
    case ReferenceLists::Write::Done:
        return true;
    case ReferenceLists::Write::Duplicate:
        refuse(QStringLiteral("Le vin « %1 » a déjà l'appellation « %2 » : rien n'a été modifié.").arg(type, newName));
        return false;
    default:
        refuse(QStringLiteral("Impossible de modifier l'Appellation"));
        return false;
    }
}
