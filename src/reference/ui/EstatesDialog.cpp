#include "reference/ui/EstatesDialog.h"

#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "reference/ReferenceLists.h"
#include "reference/ui/NameList.h"
#include "reference/ui/ReferenceDialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ReferenceDialog::refuse;
using ReferenceDialog::session;

EstatesDialog::EstatesDialog(QWidget* parent, int mode) : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("CDDomaines"));
    auto* layout = new QVBoxLayout(this);
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Sélectionné le type du vin"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Liste des domaines déja existants"), this), 0, 1);
    m_types = new NameList(this);
    m_types->setObjectName(QStringLiteral("typeList"));
    m_estates = new NameList(this);
    m_estates->setObjectName(QStringLiteral("estateList"));
    lists->addWidget(m_types, 1, 0);
    lists->addWidget(m_estates, 1, 1);
    layout->addLayout(lists, 1);
    auto* form = new QFormLayout;
    m_caption = new QLabel(this);
    m_name = new QLineEdit(this);
    form->addRow(m_caption, m_name);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    m_save = new QPushButton(QStringLiteral("Enregistrer"), this);
    m_delete = new QPushButton(QStringLiteral("Supprimer le domaine sélectionné"), this);
    auto* cancel = new QPushButton(QStringLiteral("Annuler"), this);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_delete);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_save, &QPushButton::clicked, this, &EstatesDialog::applyAndClose);
    connect(m_delete, &QPushButton::clicked, this, &EstatesDialog::deleteEstate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_types, &NameList::nameSelected, this, &EstatesDialog::wineTypeChosen);
    connect(m_estates, &NameList::nameSelected, this, &EstatesDialog::estateChosen);
    const int line = fontMetrics().height();
    resize(line * 36, line * 24);
    fillControls();
}

void EstatesDialog::fillControls()
{
    if (m_mode == 2) {
        m_caption->setText(QStringLiteral("Nom du domaine à supprimer"));
        m_save->hide();
        m_name->setReadOnly(true);
        setWindowTitle(QStringLiteral("Suppression d'un nom de domaine"));
    } else {
        m_caption->setText(QStringLiteral("Nom du domaine à ajouter"));
        m_delete->hide();
        m_save->setDefault(true);
        setWindowTitle(QStringLiteral("Création d'un nom de domaine"));
    }
    // Every wine type is offered, so that the first estate of a type can be added.
    if (session())
        m_types->setNames(ReferenceLists::estateTypes(*session(), QStringLiteral("CDDomaines::OnInitDialog")));
}

void EstatesDialog::wineTypeChosen()
{
    m_estates->setNames(session() && m_types->hasSelection()
                            ? ReferenceLists::estates(*session(), QStringLiteral("CDDomaines::OnLbnSelchangeListtype"),
                                                      m_types->selectedName())
                            : QStringList());
}

void EstatesDialog::estateChosen()
{
    if (m_estates->hasSelection())
        m_name->setText(m_estates->selectedName());
}

void EstatesDialog::applyAndClose()
{
    if (!session())
        return;
    const QString name = m_name->text();
    if (!m_types->hasSelection())
        return refuse(QStringLiteral("Vous devez sélectionner un type de vin"));
    if (!ReferenceLists::isName(name))
        return refuse(QStringLiteral("Vous ne pouvez ajouter un domaine à blanc"));
    if (name.size() > kMaxName)
        return refuse(QStringLiteral("Le nom du domaine ne peut dépasser %1 caractères.").arg(kMaxName));
    if (m_estates->containsIgnoringCase(name))
        return refuse(QStringLiteral("Ce domaine existe déja !!!"));
    switch (ReferenceLists::addEstate(*session(), m_types->selectedName(), name)) {
    case ReferenceLists::Write::Done:
        break;
    case ReferenceLists::Write::Duplicate:
        return refuse(QStringLiteral("Ce domaine existe déja !!!"));
    default:
        return refuse(QStringLiteral("Impossible d'écrire l'enregistrement DOMAINE"));
    }
    accept();
}

void EstatesDialog::deleteEstate()
{
    if (!session())
        return;
    if (!m_types->hasSelection() || !m_estates->hasSelection())
        return refuse(QStringLiteral("Pour supprimer un domaine, vous devez le sélectionner !"));
    const QString estate = m_estates->selectedName();
    const ReferenceLists::Write result = ReferenceLists::deleteEstate(*session(), m_types->selectedName(), estate);
    if (result == ReferenceLists::Write::Failed)
        return refuse(QStringLiteral("Impossible de supprimer l'enregistrement DOMAINES"));
    m_estates->removeName(estate);
    m_estates->clearSelection();
    m_name->clear();
}
