#include "cellar/ui/WineSheetPage.h"

#include "cellar/EntryChoices.h"

#include "cellar/KeepingStatus.h"
#include "cellar/SharedImagePath.h"
#include "cellar/WineStock.h"
#include "cellar/ui/WineListModel.h"
#include "db/CellarSession.h"
#include "platform/LocaleFormat.h"
#include "platform/Prompt.h"
#include "widgets/ui/ColorLabel.h"

#include <QDate>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

WineSheetPage* g_wineSheetPage = nullptr;

namespace {

const QString kErreur = QStringLiteral("Erreur");
const QString kInformation = QStringLiteral("Information !");

QLineEdit* readOnlyEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

ColorLabel* colouredLabel(const QString& text, const QColor& back, const QColor& fore, QWidget* parent)
{
    auto* label = new ColorLabel(text, parent);
    label->SetBackColour(back);
    label->SetTextColour(fore);
    label->setMargin(2);
    return label;
}

CellarSession* session()
{
    return CellarSession::current();
}

} // namespace

WineSheetPage::WineSheetPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Cpage1"));
    buildLayout();
    g_wineSheetPage = this;
}

WineSheetPage::~WineSheetPage()
{
    if (g_wineSheetPage == this)
        g_wineSheetPage = nullptr;
}

void WineSheetPage::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Un double-clic sur le vin pour voir le positionnement de ce vin dans vos casiers"), this));
    buildList();
    layout->addWidget(m_list, 1);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &WineSheetPage::onCurrentRowChanged);
    connect(m_list, &QTableView::doubleClicked, this, &WineSheetPage::showInRack);

    layout->addLayout(buildDetails());
    layout->addLayout(buildMoves());

    auto* actions = new QHBoxLayout;
    m_delete = new QPushButton(QStringLiteral("&Supression total du vin"), this);
    m_modify = new QPushButton(QStringLiteral("Modification d'un vin"), this);
    m_picture = new QPushButton(QStringLiteral("Voir image associée"), this);
    actions->addWidget(m_delete);
    actions->addWidget(m_modify);
    actions->addWidget(m_picture);
    actions->addStretch(1);
    layout->addLayout(actions);

    connect(m_exit, &QPushButton::clicked, this, &WineSheetPage::recordExit);
    connect(m_entry, &QPushButton::clicked, this, &WineSheetPage::recordEntry);
    connect(m_delete, &QPushButton::clicked, this, &WineSheetPage::deleteLot);
    connect(m_modify, &QPushButton::clicked, this, &WineSheetPage::editLot);
    connect(m_picture, &QPushButton::clicked, this, &WineSheetPage::choosePicture);
    connect(m_dishes, &QPushButton::clicked, this, &WineSheetPage::showDishes);
}

// The list of the lots, its columns as wide as their titles and typical values.
void WineSheetPage::buildList()
{
    m_model = new WineListModel(this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("wineList"));
    // The model sorts every row it holds, and shows them by pages.
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(-1, Qt::AscendingOrder);
    m_list->verticalHeader()->setVisible(false);
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    // Widths from the font, so that nothing is cut at any scaling: each column holds its title (with room for
    // the sort arrow) and a typical value.
    const char* const samples[] = {"Château Grand Vin de Pauillac",
                                   "Premier Grand Cru Classé",
                                   "Domaine de la Romanée",
                                   "9999",
                                   "31/12/2026",
                                   "9999",
                                   "99 999,99",
                                   "2026"};
    const QFontMetrics metrics(m_list->horizontalHeader()->font());
    const QFontMetrics cells(m_list->font());
    for (int c = 0; c < 8; ++c) {
        const int title = metrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString());
        const int value = cells.horizontalAdvance(QString::fromUtf8(samples[c]));
        const int icon = c == WineListModel::Nom ? m_list->iconSize().width() + cells.height() : 0;
        m_list->setColumnWidth(c, qMax(title + metrics.height() * 2, value + cells.height() + icon));
    }
    for (int c = WineListModel::Index; c < WineListModel::ColumnCount; ++c)
        m_list->setColumnHidden(c, true);
}

// The chosen lot's wine, stock, vintage, keeping and more.
QGridLayout* WineSheetPage::buildDetails()
{
    const QColor yellowGreen(200, 202, 2);
    const QColor paleYellow(243, 244, 186);
    const QColor red(255, 0, 0);
    auto* details = new QGridLayout;
    m_nomVin = readOnlyEdit(this);
    m_cru = readOnlyEdit(this);
    m_vin = readOnlyEdit(this);
    m_appellation = readOnlyEdit(this);
    m_stock = readOnlyEdit(this);
    m_vintage = readOnlyEdit(this);
    m_garde = readOnlyEdit(this);
    m_temperature = colouredLabel(QString(), paleYellow, QColor(0, 92, 244), this);
    m_temperature->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_status = colouredLabel(QString(), paleYellow, red, this);
    m_contenance = new QLabel(this);
    m_pays = new QLabel(this);
    m_dishes = new QPushButton(QStringLiteral("Plats associés"), this);

    details->addWidget(colouredLabel(QStringLiteral("Nom du vin"), yellowGreen, red, this), 0, 0);
    details->addWidget(m_nomVin, 0, 1);
    details->addWidget(colouredLabel(QStringLiteral("Cru"), paleYellow, red, this), 0, 2);
    details->addWidget(m_cru, 0, 3);
    details->addWidget(colouredLabel(QStringLiteral("Vin"), yellowGreen, red, this), 1, 0);
    details->addWidget(m_vin, 1, 1);
    details->addWidget(colouredLabel(QStringLiteral("Applellation"), paleYellow, red, this), 1, 2);
    details->addWidget(m_appellation, 1, 3);
    details->addWidget(new QLabel(QStringLiteral("Température de dégustation"), this), 2, 0);
    details->addWidget(m_temperature, 2, 1);
    details->addWidget(m_dishes, 2, 3);
    details->addWidget(new QLabel(QStringLiteral("Nbr. de bouteilles dans la cave :"), this), 3, 0);
    details->addWidget(m_stock, 3, 1);
    details->addWidget(new QLabel(QStringLiteral("Millésime :"), this), 3, 2);
    details->addWidget(m_vintage, 3, 3);
    details->addWidget(new QLabel(QStringLiteral("Garde :"), this), 4, 0);
    details->addWidget(m_garde, 4, 1);
    details->addWidget(m_status, 4, 2, 1, 2);
    details->addWidget(new QLabel(QStringLiteral("Contenance des bouteilles :"), this), 5, 0);
    details->addWidget(m_contenance, 5, 1);
    details->addWidget(new QLabel(QStringLiteral("Pays :"), this), 5, 2);
    details->addWidget(m_pays, 5, 3);
    return details;
}

// The entry of bought bottles and the exit of drunk ones.
QHBoxLayout* WineSheetPage::buildMoves()
{
    auto* moves = new QHBoxLayout;
    auto* entryBox = new QGroupBox(QStringLiteral("Ajouter un achat  :"), this);
    auto* entryLayout = new QGridLayout(entryBox);
    m_entryCount = new QLineEdit(entryBox);
    m_entryPrice = new QLineEdit(entryBox);
    m_entry = new QPushButton(QStringLiteral("Enregistrer l' &Entrée"), entryBox);
    entryLayout->addWidget(new QLabel(QStringLiteral("Nb de bouteille(s) en entrée(s) :"), entryBox), 0, 0);
    entryLayout->addWidget(m_entryCount, 0, 1);
    entryLayout->addWidget(new QLabel(QStringLiteral("Prix de l'achat à ajouter :"), entryBox), 1, 0);
    entryLayout->addWidget(m_entryPrice, 1, 1);
    entryLayout->addWidget(m_entry, 2, 0, 1, 2);
    auto* exitBox = new QGroupBox(QStringLiteral("Sortie de bouteilles  :"), this);
    auto* exitLayout = new QGridLayout(exitBox);
    m_exitCount = new QLineEdit(exitBox);
    m_exit = new QPushButton(QStringLiteral("Enregistrer la &sortie"), exitBox);
    exitLayout->addWidget(new QLabel(QStringLiteral("Nb de bouteille(s) en sortie(s) :"), exitBox), 0, 0);
    exitLayout->addWidget(m_exitCount, 0, 1);
    exitLayout->addWidget(m_exit, 1, 0, 1, 2);
    moves->addWidget(entryBox);
    moves->addWidget(exitBox);
    return moves;
}

void WineSheetPage::clearList()
{
    m_model->clear();
}

void WineSheetPage::refreshWineList(const QString& a0, const QString& a1, const QString& a2, const QString& a3,
                                    int mode, const NodePath& path)
{
    const WineListQuery query = WineListQuery::build(a0, a1, a2, a3, mode, path);
    if (!query.valid || !session())
        return;
    std::vector<WineRow> rows = query.load(*session());
    // The temperature and the dishes are those of the wine highlighted (its own type and appellation row):
    // none until one is.
    m_temperature->clear();
    m_relPlats.clear();
    m_model->setRows(std::move(rows));
    m_vin->setText(query.vinText);
    m_appellation->setText(query.appellationText);
}

void WineSheetPage::countryName(const QString& code)
{
    m_pays->clear(); // a code without a PAYS row shows no country, not the previous wine's
    if (session())
        m_pays->setText(EntryChoices::countryName(*session(), QStringLiteral("Cpage1::RechercheLibPays"), code));
}

void WineSheetPage::selectRow(int viewRow)
{
    m_model->showUpTo(viewRow);
    m_list->setCurrentIndex(m_model->index(viewRow, 0));
}

void WineSheetPage::selectLot(qint64 index)
{
    const int row = index == 0 ? -1 : m_model->rowOfIndex(index);
    if (row < 0) {
        m_list->setCurrentIndex(QModelIndex());
        m_list->clearSelection();
        clearDetails();
        return;
    }
    selectRow(row);
    showDetails(row); // also when the row was current already: its counts may have changed
}

int WineSheetPage::selectedSourceRow() const
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid())
        return -1;
    return current.row();
}

void WineSheetPage::onCurrentRowChanged()
{
    const int row = selectedSourceRow();
    if (row >= 0)
        showDetails(row);
}

void WineSheetPage::showDetails(int row)
{
    using M = WineListModel;
    const WineRow& wine = m_model->row(row);
    m_contenance->setText(wine.contenance);
    m_nomVin->setText(wine.nomVin);
    m_cru->setText(wine.cru);
    m_stock->setText(m_model->text(row, M::Stock));
    m_vintage->setText(m_model->text(row, M::Millesime));
    m_index = wine.index;
    m_temperature->setText(wine.temperature);
    m_relPlats = wine.relPlats;
    const KeepingStatus keeping =
        KeepingStatus::of(m_model->text(row, M::Cote), m_vintage->text(), QDate::currentDate().year());
    m_garde->setText(keeping.garde);
    m_status->setText(keeping.status);
    countryName(wine.nic);
}

void WineSheetPage::clearDetails()
{
    for (QLineEdit* edit : {m_nomVin, m_cru, m_stock, m_vintage, m_garde})
        edit->clear();
    m_status->clear();
    m_contenance->clear();
    m_pays->clear();
    m_temperature->clear();
    m_relPlats.clear();
    m_index = 0;
}

bool WineSheetPage::wineSelected() const
{
    return !m_vintage->text().isEmpty() && m_index != 0;
}

void WineSheetPage::refused(const QString& text)
{
    Prompt::show(text, kErreur, Prompt::Icon::Stop);
}

void WineSheetPage::recordExit()
{
    if (!wineSelected())
        return refused(QStringLiteral("Vous ne pouvez enregistrer une sortie vin sans selectionner un vin"));
    if (m_exitCount->text().isEmpty())
        return refused(QStringLiteral("Vous ne pouvez enregistrer une sortie vin sans un Nbr de bouteilles"));
    const qint64 n = m_exitCount->text().trimmed().toLongLong();
    // The stock is the database's, not the one shown: two exits in a row cannot go below zero.
    const std::optional<qint64> stock =
        WineStock::currentStock(*session(), QStringLiteral("Cpage1::OnBsortie"), m_index);
    if (!stock)
        return refused(WineStock::failureText(WineStock::Failure::NotFound));
    if (n > *stock)
        return refused(QStringLiteral("Vous ne pouvez enregistrer une sortie vin qui dépasse votre stock"));
    if (n <= 0)
        return refused(QStringLiteral("Vous ne pouvez enregistrer une sortie vin sans un Nbr de bouteilles > à 0"));

    const qint64 lot = m_index;
    const WineStock::Counts counts = WineStock::exitBottles(*session(), QStringLiteral("Cpage1::OnBsortie"), lot, n);
    if (counts.failure != WineStock::Failure::None)
        return refused(WineStock::failureText(counts.failure));
    showCounts(lot, counts);
    if (Prompt::show(
            QStringLiteral("Votre sortie a été effectuée !\nVoulez vous supprimer vos bouteilles dans votre cave"),
            kInformation, Prompt::Icon::Information, Prompt::Buttons::YesNo) == Prompt::Answer::Yes)
        Q_EMIT rackViewRequested(lot, QStringLiteral("Sortie"), static_cast<int>(n));
    m_list->setFocus();
    m_exitCount->clear();
}

void WineSheetPage::showCounts(qint64 lot, const WineStock::Counts& counts)
{
    const int row = m_model->rowOfIndex(lot);
    if (row >= 0)
        m_model->setCounts(row, counts.stock, counts.bought, counts.price);
    m_stock->setText(QString::number(counts.stock));
}

void WineSheetPage::recordEntry()
{
    if (!wineSelected())
        return refused(QStringLiteral("Vous ne pouvez enregistrer une entrée vin sans selectionner un vin"));
    if (m_entryCount->text().isEmpty())
        return refused(QStringLiteral("Vous ne pouvez enregistrer une entrée vin sans un Nbr de bouteilles"));
    const qint64 n = m_entryCount->text().trimmed().toLongLong();
    if (n <= 0)
        return refused(QStringLiteral("Vous ne pouvez enregistrer une entrée de vin sans un Nbr de bouteilles > à 0"));
    double price = 0;
    if (!m_entryPrice->text().trimmed().isEmpty()) {
        const std::optional<double> typed = LocaleFormat::parseDecimal(m_entryPrice->text());
        if (!typed)
            return refused(QStringLiteral("Le prix de l'achat à ajouter n'est pas un nombre valide"));
        price = *typed;
    }

    const qint64 lot = m_index;
    const WineStock::Counts counts =
        WineStock::enterBottles(*session(), QStringLiteral("Cpage1::OnBsortie2"), lot, n, price);
    if (counts.failure != WineStock::Failure::None)
        return refused(WineStock::failureText(counts.failure));
    showCounts(lot, counts);
    m_list->setFocus();
    if (Prompt::show(
            QStringLiteral("Votre entrée a été effectué !\nVoulez vous positionner vos bouteilles dans votre cave"),
            kInformation, Prompt::Icon::Information, Prompt::Buttons::YesNo) == Prompt::Answer::Yes)
        Q_EMIT rackViewRequested(lot, QStringLiteral("Création"), static_cast<int>(n));
    m_entryCount->clear();
    m_entryPrice->clear();
}

void WineSheetPage::deleteLot()
{
    if (!wineSelected())
        return refused(QStringLiteral("Vous ne pouvez supprimer un vin sans le selectionner "));
    if (Prompt::show(QStringLiteral("Confirmer vous la suppression ?"), QStringLiteral("Attention !"),
                     Prompt::Icon::Question, Prompt::Buttons::YesNoDefaultNo) != Prompt::Answer::Yes)
        return;
    const qint64 lot = m_index;
    const WineStock::Failure failure = WineStock::deleteWine(*session(), QStringLiteral("Cpage1::OnBsuppression"), lot);
    if (failure != WineStock::Failure::None)
        return refused(QStringLiteral("Impossible de supprimer l'enregistrement CAVE"));
    Prompt::show(QStringLiteral("Votre suppression a été effectuée !"), kInformation, Prompt::Icon::Information);
    const int row = m_model->rowOfIndex(lot);
    if (row >= 0)
        m_model->removeLot(row);
    // The deleted wine must not stay the target of the buttons.
    m_list->setCurrentIndex(QModelIndex());
    m_list->clearSelection();
    clearDetails();
    m_list->setFocus();
}

void WineSheetPage::showInRack()
{
    if (m_index == 0)
        return;
    Q_EMIT rackViewRequested(m_index, QStringLiteral("Visualisation"), 0);
}

void WineSheetPage::editLot()
{
    if (!wineSelected())
        return refused(QStringLiteral("Vous ne pouvez modifier des données d'un vin \nsans l'avoir préalablement "
                                      "selectionné !"));
    Q_EMIT modificationRequested(m_index);
}

void WineSheetPage::choosePicture()
{
    const qint64 lot = m_index;
    // A picture chosen on the entry page waits there for its own save: this dialog neither sees nor takes it,
    // and only a path that this dialog hands back is written to this wine.
    const QString waitingForEntry = SharedImagePath();
    SharedImagePath().clear();
    Q_EMIT pictureRequested(lot);
    const QString path = SharedImagePath();
    SharedImagePath() = waitingForEntry;
    if (path.isEmpty())
        return;
    if (lot == 0)
        return refused(QStringLiteral("Vous ne pouvez associer une image sans selectionner un vin"));
    const WineStock::Failure failure =
        WineStock::changeLot(*session(), QStringLiteral("Cpage1::OnBnClickedBimageass"), lot,
                             [&path](Recordset& rs) { rs.setField(QStringLiteral("Images"), path); });
    if (failure != WineStock::Failure::None)
        refused(WineStock::failureText(failure));
}

void WineSheetPage::showDishes()
{
    Q_EMIT dishesRequested(m_relPlats);
}
