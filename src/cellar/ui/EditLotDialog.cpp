#include "cellar/ui/EditLotDialog.h"

#include "cellar/EntryRules.h"
#include "cellar/WineEntry.h"
#include "cellar/WineStock.h"
#include "cellar/ui/WineSheetPage.h"
#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "widgets/ui/ComboTools.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

CellarSession* session()
{
    return CellarSession::current();
}

} // namespace

EditLotDialog::EditLotDialog(QWidget* parent, qint64 wineIndex) : QDialog(parent), m_wine(wineIndex)
{
    setObjectName(QStringLiteral("CDModifVin"));
    setWindowTitle(QStringLiteral("Modification d'un vin"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_owner = new QLineEdit(this);
    m_type = new QLineEdit(this);
    m_type->setReadOnly(true);
    m_appellation = new QLineEdit(this);
    m_appellation->setReadOnly(true);
    m_cru = new QComboBox(this);
    m_vintage = new QComboBox(this);
    m_keeping = new QComboBox(this);
    m_size = new QComboBox(this);
    form->addRow(QStringLiteral("Nom du Vin"), m_name);
    form->addRow(QStringLiteral("Propriétaire :"), m_owner);
    form->addRow(QStringLiteral("Type de Vin :"), m_type);
    form->addRow(QStringLiteral("Appellation :"), m_appellation);
    form->addRow(QStringLiteral("Cru :"), m_cru);
    form->addRow(QStringLiteral("Millesime :"), m_vintage);
    layout->addLayout(form);
    auto* optional = new QGroupBox(QStringLiteral("Données optionnelles"), this);
    auto* optionalForm = new QFormLayout(optional);
    optionalForm->addRow(QStringLiteral("Nbr d'années de Garde"), m_keeping);
    optionalForm->addRow(QStringLiteral("Contenance :"), m_size);
    layout->addWidget(optional);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditLotDialog::applyAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fillControls();
}

void EditLotDialog::fillControls()
{
    m_keeping->addItems(EntryRules::keepingItems());
    m_vintage->addItems(EntryRules::vintageItems(QDate::currentDate().year()));
    m_size->addItems(EntryRules::modificationSizes());
    if (!session())
        return;
    const std::optional<QStringList> crus = WineEntry::crus(*session(), QStringLiteral("CDModifVin::OnInitDialog"));
    if (!crus)
        return;
    ComboTools::setSortedItems(m_cru, *crus);
    if (m_cru->count() == 0 || !m_cru->itemText(0).isEmpty())
        m_cru->insertItem(0, QString()); // no cru: sorted, an empty name comes first

    const std::optional<WineStock::LotFields> wine =
        WineStock::lotFields(*session(), QStringLiteral("CDModifVin::OnInitDialog"), m_wine);
    if (wine) {
        // Each list shows the first entry that begins with the lot's value; a value no entry begins with (an
        // old size such as the clavelin, a vintage out of range, a cru since removed) is shown as it is.
        // While an entry stays as it was opened, saving writes the lot's own value back unchanged.
        m_storedVintage.select(m_vintage, QString::number(wine->vintage));
        m_storedSize.select(m_size, wine->size);
        m_name->setText(wine->name);
        m_storedCru.select(m_cru, wine->cru);
        m_owner->setText(wine->owner);
        m_type->setText(wine->type);
        m_appellation->setText(wine->appellation);
        const QString keeping = QString::number(wine->keeping);
        if (keeping == QLatin1String("99"))
            m_storedKeeping.selectIndex(m_keeping, keeping, 0); // no keeping: the empty entry
        else
            m_storedKeeping.select(m_keeping, keeping);
    }
}

void EditLotDialog::applyAndClose()
{
    if (!session())
        return;
    const WineStock::Failure failure =
        WineStock::changeLot(*session(), QStringLiteral("CDModifVin::OnOK"), m_wine, [this](Recordset& rs) {
            rs.setField(QStringLiteral("Nom Vin"), m_name->text());
            rs.setField(QStringLiteral("Proprietaire"), m_owner->text());
            rs.setField(QStringLiteral("Cru"), m_storedCru.value());
            rs.setField(QStringLiteral("Contenance"), m_storedSize.value());
            rs.setField(QStringLiteral("Millesime"), m_storedVintage.value().toInt());
            // The empty entry, chosen, writes 0; a lot left as it was opened keeps its own value (99 included).
            const QString keeping = m_storedKeeping.value();
            rs.setField(QStringLiteral("Cote"), keeping.isEmpty() ? 0 : keeping.toInt());
        });
    if (failure != WineStock::Failure::None) {
        Prompt::show(WineStock::failureText(failure), QStringLiteral("Erreur"), Prompt::Icon::Stop);
        return;
    }
    accept();
}
