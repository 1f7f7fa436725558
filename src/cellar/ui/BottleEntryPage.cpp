#include "cellar/ui/BottleEntryPage.h"

#include "cellar/EntryChoices.h"

#include "cellar/EntryRules.h"
#include "cellar/SharedImagePath.h"
#include "cellar/WineEntry.h"
#include "db/CellarSession.h"
#include "platform/LocaleFormat.h"
#include "platform/Prompt.h"
#include "vintages/VintageTable.h"
#include "widgets/ui/ColorLabel.h"
#include "widgets/ui/ComboTools.h"
#include "widgets/ui/NotifyingEdit.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

BottleEntryPage* g_bottleEntryPage = nullptr;

namespace {

CellarSession* session()
{
    return CellarSession::current();
}

} // namespace

BottleEntryPage::BottleEntryPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CPage2"));
    buildLayout();
    g_bottleEntryPage = this;
}

BottleEntryPage::~BottleEntryPage()
{
    if (g_bottleEntryPage == this)
        g_bottleEntryPage = nullptr;
}

void BottleEntryPage::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFirstWineOffer());
    connect(m_createWine, &QPushButton::clicked, this, &BottleEntryPage::createWineTypeRequested);
    layout->addLayout(buildPurchaseForm());
    m_image = new QPushButton(QStringLiteral("Ajouter une image à ce vin"), this);
    layout->addWidget(m_image, 0, Qt::AlignLeft);
    layout->addWidget(buildOptionalData());
    m_save = new QPushButton(QStringLiteral("&Enregistrer"), this);
    layout->addWidget(m_save, 0, Qt::AlignRight);
    layout->addStretch(1);

    const int year = QDate::currentDate().year();
    m_vintage->addItems(EntryRules::vintageItems(year));
    m_vintage->setCurrentText(QString::number(year));
    const QDate today = QDate::currentDate();
    m_day->setText(QString::number(today.day()));
    m_month->setText(QString::number(today.month()));
    m_year->setText(QString::number(today.year()));

    connect(m_country, &QComboBox::activated, this, &BottleEntryPage::countryChanged);
    connect(m_type, &QComboBox::activated, this, &BottleEntryPage::wineTypeChanged);
    connect(m_appellation, &QComboBox::activated, this, &BottleEntryPage::lookUpKeepingTime);
    connect(m_vintage, &QComboBox::currentIndexChanged, this, &BottleEntryPage::vintageChanged);
    connect(m_amount, &QLineEdit::textChanged, this, &BottleEntryPage::computeBottlePrice);
    connect(m_bottles, &QLineEdit::textChanged, this, &BottleEntryPage::computeBottlePrice);
    connect(m_image, &QPushButton::clicked, this, &BottleEntryPage::pictureRequested);
    connect(m_save, &QPushButton::clicked, this, &BottleEntryPage::recordPurchase);
}

// A new cellar has no wine type yet: the page says how to create the first one instead of showing empty
// lists.
QWidget* BottleEntryPage::buildFirstWineOffer()
{
    m_firstWine = new QWidget(this);
    auto* firstWine = new QHBoxLayout(m_firstWine);
    firstWine->setContentsMargins(0, 0, 0, 0);
    auto* firstWineText = new QLabel(
        QStringLiteral("Votre cave ne connaît encore aucun vin. Créez d'abord un vin avec sa première appellation, "
                       "sa couleur et son pays (menu « Ajouter », « Vin ») : vous pourrez ensuite y enregistrer "
                       "vos bouteilles."),
        m_firstWine);
    firstWineText->setWordWrap(true);
    m_createWine = new QPushButton(QStringLiteral("Créer un vin..."), m_firstWine);
    m_createWine->setObjectName(QStringLiteral("createWine"));
    firstWine->addWidget(firstWineText, 1);
    firstWine->addWidget(m_createWine);
    m_firstWine->hide();
    return m_firstWine;
}

// The wine and the purchase: where it comes from, its name, bottles, vintage, price and date.
QFormLayout* BottleEntryPage::buildPurchaseForm()
{
    auto* form = new QFormLayout;
    m_country = new QComboBox(this);
    m_type = new QComboBox(this);
    m_appellation = new QComboBox(this);
    m_cru = new QComboBox(this);
    m_name = new QComboBox(this);
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_owner = new QLineEdit(this);
    m_bottles = new QLineEdit(this);
    m_vintage = new QComboBox(this);
    m_amount = new QLineEdit(this);
    m_price = new NotifyingEdit(this);
    m_price->setReadOnly(true);
    m_day = new QLineEdit(this);
    m_day->setMaxLength(2);
    m_month = new QLineEdit(this);
    m_month->setMaxLength(2);
    m_year = new QLineEdit(this);
    m_year->setMaxLength(4);
    for (QLineEdit* edit : {m_day, m_month})
        edit->setMaximumWidth(40);
    m_year->setMaximumWidth(60);
    form->addRow(QStringLiteral("Pays"), m_country);
    form->addRow(QStringLiteral("Vin"), m_type);
    form->addRow(QStringLiteral("Appellation"), m_appellation);
    form->addRow(QStringLiteral("Cru :"), m_cru);
    form->addRow(QStringLiteral("Nom"), m_name);
    form->addRow(QStringLiteral("Propriétaire :"), m_owner);
    form->addRow(QStringLiteral("Nbr de bouteilles :"), m_bottles);
    form->addRow(QStringLiteral("Millesime :"), m_vintage);
    form->addRow(QStringLiteral("Montant de l'achat :"), m_amount);
    form->addRow(QStringLiteral("Soit prix de la bouteille :"), m_price);
    auto* date = new QHBoxLayout;
    date->addWidget(m_day);
    date->addWidget(new QLabel(QStringLiteral("/"), this));
    date->addWidget(m_month);
    date->addWidget(new QLabel(QStringLiteral("/"), this));
    date->addWidget(m_year);
    date->addStretch(1);
    form->addRow(QStringLiteral("Date d'achat :"), date);
    return form;
}

// The rating, the standard keeping time, the user's own keeping time and the bottle size.
QGroupBox* BottleEntryPage::buildOptionalData()
{
    auto* optional = new QGroupBox(QStringLiteral("Données optionnelles"), this);
    auto* optionalForm = new QFormLayout(optional);
    m_rating = new ColorLabel(optional);
    m_standard = new ColorLabel(optional);
    for (ColorLabel* label : {m_rating, m_standard}) {
        label->SetBackColour(QColor(243, 244, 186));
        label->SetTextColour(QColor(255, 0, 0));
        label->setMargin(2);
    }
    m_keeping = new QComboBox(optional);
    m_keeping->addItems(EntryRules::keepingItems());
    m_keeping->setToolTip(
        QStringLiteral("Vous permet de spécifier une valeur d'apogée de votre vin différente de la valeur par defaut"));
    m_size = new QComboBox(optional);
    m_size->addItems(EntryRules::entrySizes());
    m_size->setCurrentText(QStringLiteral("0,75 L"));
    optionalForm->addRow(m_rating);
    optionalForm->addRow(QStringLiteral("Garde standard pour ce vin"), m_standard);
    optionalForm->addRow(QStringLiteral("Votre choix d'années de Garde"), m_keeping);
    optionalForm->addRow(QStringLiteral("Contenance :"), m_size);
    return optional;
}

void BottleEntryPage::fillControls()
{
    refreshCombos();
    wineTypeChanged();
    vintageChanged();
    lookUpKeepingTime();
    m_country->clear();
    if (!session())
        return;
    m_country->addItems(EntryChoices::countries(*session(), QStringLiteral("CPage2::OnInitDialog")));
    // Until the user picks a country, the type list holds the types of every country.
    m_country->setCurrentIndex(m_country->findText(QStringLiteral("FR - FRANCE")));
}

void BottleEntryPage::fillTypes(const QString& code, const QString& label, bool caseInsensitive)
{
    m_type->clear();
    if (session())
        ComboTools::setSortedItems(m_type, EntryChoices::wineTypes(*session(), label, code, caseInsensitive));
}

void BottleEntryPage::refreshCombos()
{
    fillTypes(QString(), QStringLiteral("CPage2::OnMAJCB"), true);
    m_type->setCurrentIndex(m_type->count() > 1 ? 1 : m_type->count() - 1);
    m_firstWine->setVisible(m_type->count() == 0);
    m_cru->clear();
    if (!session())
        return;
    if (const std::optional<QStringList> crus = WineEntry::crus(*session(), QStringLiteral("CPage2::OnMAJCB"))) {
        ComboTools::setSortedItems(m_cru, *crus);
        m_cru->setCurrentIndex(0);
    }
}

void BottleEntryPage::countryChanged()
{
    const QString code = m_country->currentText().left(2);
    m_appellation->clear();
    fillTypes(code, QStringLiteral("CPage2::OnCbnSelchangeCbpays"), false);
    m_type->setCurrentIndex(m_type->count() > 0 ? 0 : -1);
    wineTypeChanged();
}

void BottleEntryPage::wineTypeChanged()
{
    if (m_type->currentIndex() < 0 || !session())
        return;
    m_appellation->clear();
    ComboTools::setSortedItems(
        m_appellation,
        EntryChoices::appellations(*session(), QStringLiteral("CPage2::OnSelchangeCbvin"), m_type->currentText()));
    m_appellation->setCurrentIndex(m_appellation->count() > 0 ? 0 : -1);
    lookUpKeepingTime();
    vintageChanged();
}

void BottleEntryPage::lookUpKeepingTime()
{
    if (!session())
        return;
    const QString type = m_type->currentText();
    if (const std::optional<QString> garde = EntryChoices::standardKeeping(
            *session(), QStringLiteral("CPage2::RechercheAnnedeGardepourVin"), type, m_appellation->currentText())) {
        m_standard->setText(*garde);
        m_keeping->setCurrentIndex(qMax(0, m_keeping->findText(EntryRules::keepingFor(*garde))));
    }
    m_name->clear();
    // The estates kept for the wine type, under its full name or, as earlier releases kept them, under its
    // first word; each once.
    if (!type.isEmpty())
        m_name->addItems(EntryChoices::estates(*session(),
                                               QStringLiteral("CPage2::RechercheAnnedeGardepourVin(domaines)"), type,
                                               EntryRules::firstWord(type)));
    m_name->setCurrentIndex(-1);
    m_name->setEditText(QString());
}

void BottleEntryPage::vintageChanged()
{
    m_rating->setText(EntryRules::ratingText(m_type->currentText(), m_vintage->currentText(), VintageTable::entries()));
}

void BottleEntryPage::computeBottlePrice()
{
    if (m_bottles->text().isEmpty())
        return;
    m_price->setText(EntryRules::bottlePrice(m_amount->text(), m_bottles->text()));
}

bool BottleEntryPage::confirm(const QString& text)
{
    return Prompt::show(text, QStringLiteral("Attention !"), Prompt::Icon::Question, Prompt::Buttons::YesNo) ==
           Prompt::Answer::Yes;
}

void BottleEntryPage::refuse(const QString& text)
{
    Prompt::show(text, QStringLiteral("Erreur"), Prompt::Icon::Stop);
}

void BottleEntryPage::recordPurchase()
{
    if (!session())
        return;
    NewLot lot;
    lot.name = m_name->currentText();
    if (lot.name.isEmpty() && !confirm(QStringLiteral("Confirmer vous que le vin n'a pas de nom")))
        return;
    lot.bottles = m_bottles->text().trimmed().toInt();
    if (m_bottles->text().trimmed().isEmpty() || lot.bottles < 1)
        return refuse(QStringLiteral("Vous ne pouvez enregistrer un vin sans un Nbr de bouteilles"));
    const QString day = m_day->text().trimmed();
    const QString month = m_month->text().trimmed();
    const QString year = m_year->text().trimmed();
    if (day.isEmpty() && month.isEmpty() && year.isEmpty()) {
        if (!confirm(QStringLiteral("Confirmer vous qu'aucune date est votre choix")))
            return;
    } else {
        const int y = year.toInt();
        if ((y <= 1 || y >= 2200) && !confirm(QStringLiteral("Confirmer vous l'année")))
            return;
        const int m = month.toInt();
        if (m < 1 || m > 12)
            return refuse(QStringLiteral("Mois entre 1 et 12"));
        const int d = day.toInt();
        if (d < 1 || d > 31)
            return refuse(QStringLiteral("Jour entre 1 et 31"));
    }
    if (!m_amount->text().trimmed().isEmpty()) {
        const std::optional<double> amount = LocaleFormat::parseDecimal(m_amount->text());
        if (!amount)
            return refuse(QStringLiteral("Le montant de l'achat n'est pas un nombre valide"));
        lot.price = *amount;
    }
    lot.typeIndex = WineEntry::typeIndex(*session(), QStringLiteral("CPage2::OnBenreg"), m_type->currentText(),
                                         m_appellation->currentText());
    if (lot.typeIndex == 0)
        return refuse(QStringLiteral("Vous devez choisir un vin et son appellation"));

    lot.owner = m_owner->text();
    lot.image = SharedImagePath();
    lot.keeping = m_keeping->currentText().isEmpty() ? 99 : m_keeping->currentText().toInt();
    lot.vintage = m_vintage->currentText().toInt();
    lot.cru = m_cru->currentText();
    lot.contenance = m_size->currentText();
    lot.date = EntryRules::purchaseDate(day, month, year);
    if (!day.isEmpty()) {
        m_day->setText(EntryRules::twoDigits(day));
        m_month->setText(EntryRules::twoDigits(month));
    }
    const qint64 index = WineEntry::addLot(*session(), QStringLiteral("CPage2::OnBenreg"), lot);
    if (index == 0) {
        Prompt::show(QStringLiteral("Impossible d'écrire l'enregistrement CAVE"), QStringLiteral("Erreur"),
                     Prompt::Icon::Exclamation);
        return;
    }
    SharedImagePath().clear();
    if (Prompt::show(QStringLiteral("Votre enregistrement a été effectué !\nVoulez vous positionner vos bouteilles "
                                    "dans votre cave"),
                     QStringLiteral("Information"), Prompt::Icon::Information,
                     Prompt::Buttons::YesNo) == Prompt::Answer::Yes)
        Q_EMIT rackViewRequested(index, QStringLiteral("Création"), lot.bottles);
    m_keeping->setCurrentIndex(0);
}
