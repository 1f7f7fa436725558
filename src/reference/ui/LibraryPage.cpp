#include "reference/ui/LibraryPage.h"

#include "reference/Dishes.h"
#include "reference/ui/LibraryFactDialog.h"
#include "reference/ui/LibraryModel.h"
#include "reference/ui/ReferenceDialog.h"
#include "reference/ui/WinesForDishDialog.h"
#include "widgets/ui/Pictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

using ReferenceDialog::session;

LibraryPage::LibraryPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CPage5"));
    buildLayout();
}

void LibraryPage::buildLayout()
{
    auto* layout = new QHBoxLayout(this);
    m_model = new LibraryModel(this);
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSortLocaleAware(true);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("libraryList"));
    m_list->setModel(m_proxy);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(-1, Qt::AscendingOrder); // table order until a column is clicked
    m_list->verticalHeader()->setVisible(false);
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, m_list->fontMetrics().horizontalAdvance(QStringLiteral("Côtes du Rhône Vill")));
    layout->addWidget(m_list, 2);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &LibraryPage::onCurrentRowChanged);

    auto* facts = new QGridLayout;
    const QColor pale = ReferenceDialog::kPale;
    auto update = [this](int attribute) {
        auto* button = new QPushButton(QStringLiteral("M.A.J"), this);
        button->setToolTip(LibraryFactDialog::titleOf(attribute));
        connect(button, &QPushButton::clicked, this, [this, attribute] { editFact(attribute); });
        return button;
    };
    for (int attribute = 1; attribute <= 8; ++attribute)
        m_updates << update(attribute);
    auto text = [this](int lines) {
        auto* box = new QPlainTextEdit(this);
        box->setReadOnly(true);
        box->setMaximumHeight(box->fontMetrics().height() * lines + 12);
        return box;
    };
    auto line = [this] {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        return edit;
    };
    int row = 0;
    auto addFact = [&](const QString& title, QWidget* field, int attribute) {
        facts->addWidget(new QLabel(title, this), row, 0, Qt::AlignTop);
        facts->addWidget(field, row, 1);
        if (attribute > 0)
            facts->addWidget(m_updates[attribute - 1], row, 2, Qt::AlignTop);
        ++row;
    };
    m_country = new QLabel(this);
    addFact(QStringLiteral("Pays :"), m_country, 0);
    m_keeping = line();
    ReferenceDialog::paint(m_keeping, pale, QColor(255, 0, 0));
    addFact(QStringLiteral("Garde :"), m_keeping, 7);
    m_grapes = text(2);
    addFact(QStringLiteral("Cépages"), m_grapes, 1);
    m_soil = text(2);
    addFact(QStringLiteral("Terroir"), m_soil, 2);
    m_character = text(2);
    addFact(QStringLiteral("Caractères du vin"), m_character, 3);
    m_vintages = text(2);
    addFact(QStringLiteral("Millésimes remarquables"), m_vintages, 4);
    m_area = line();
    addFact(QStringLiteral("Superficie"), m_area, 5);
    m_dishes = text(3);
    ReferenceDialog::paint(m_dishes, pale, QColor(5, 165, 13));
    addFact(QStringLiteral("Suggestions de plats"), m_dishes, 6);
    m_temperature = line();
    addFact(QStringLiteral("Température de dégustation"), m_temperature, 8);
    auto* platVin = new QPushButton(QStringLiteral("Obtenir les vins pour un plat"), this);
    connect(platVin, &QPushButton::clicked, this, &LibraryPage::showWinesForDish);
    facts->addWidget(platVin, row++, 1);
    auto* picture = new QLabel(this);
    Pictures::init();
    picture->setPixmap(QIcon(QStringLiteral(":/icons/cellar-picture.svg")).pixmap(QSize(96, 72)));
    facts->addWidget(picture, row, 1, Qt::AlignRight | Qt::AlignBottom);
    facts->setRowStretch(row, 1);
    facts->setColumnStretch(1, 1);
    layout->addLayout(facts, 3);
}

QPushButton* LibraryPage::updateButton(int attribute) const
{
    return attribute >= 1 && attribute <= m_updates.size() ? m_updates[attribute - 1] : nullptr;
}

void LibraryPage::fillControls()
{
    const QString type = m_type;
    const QString appellation = m_appellation;
    m_model->setRows(session() ? Library::rows(*session(), QStringLiteral("Cpage5::OnInitDialog"))
                               : std::vector<Library::Row>());
    m_type.clear();
    m_appellation.clear();
    // A reload keeps the row that was shown, when it is still there.
    if (!type.isEmpty())
        selectRow(type, appellation);
    readFacts();
}

bool LibraryPage::selectRow(const QString& type, const QString& appellation)
{
    for (int r = 0; r < m_proxy->rowCount(); ++r) {
        const QModelIndex source = m_proxy->mapToSource(m_proxy->index(r, 0));
        const Library::Row& row = m_model->row(source.row());
        if (row.type == type && row.appellation == appellation) {
            m_list->selectionModel()->setCurrentIndex(m_proxy->index(r, 0),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            m_list->scrollTo(m_proxy->index(r, 0));
            return true;
        }
    }
    return false;
}

void LibraryPage::onCurrentRowChanged()
{
    const QModelIndex current = m_list->selectionModel()->currentIndex();
    if (!current.isValid())
        return;
    const Library::Row& row = m_model->row(m_proxy->mapToSource(current).row());
    m_type = row.type;
    m_appellation = row.appellation;
    m_keeping->setText(row.garde);
    readFacts();
}

void LibraryPage::readFacts()
{
    for (QPlainTextEdit* box : {m_grapes, m_soil, m_character, m_vintages, m_dishes})
        box->clear();
    if (m_type.isEmpty() && m_appellation.isEmpty()) {
        for (QLineEdit* edit : {m_keeping, m_area, m_temperature})
            edit->clear();
        m_country->clear();
        return;
    }
    if (!session())
        return;
    const Library::Facts facts =
        Library::facts(*session(), QStringLiteral("Cpage5::RechercheCarac"), m_type, m_appellation);
    if (!facts.found)
        return;
    m_grapes->setPlainText(facts.raisin);
    m_vintages->setPlainText(facts.millesimes);
    m_character->setPlainText(facts.caracteres);
    m_soil->setPlainText(facts.terroir);
    m_area->setText(facts.superficie + QStringLiteral(" hectares"));
    m_keeping->setText(facts.garde);
    m_temperature->setText(facts.temperature);
    m_country->setText(facts.nic);
    if (!facts.relPlats.trimmed().isEmpty())
        m_dishes->setPlainText(
            Dishes::names(*session(), QStringLiteral("Cpage5::DecoupagePlats"), facts.relPlats, QStringLiteral("; ")));
}

void LibraryPage::editFact(int attribute)
{
    if (m_type.isEmpty()) {
        Prompt::show(QStringLiteral("Vous devez selectionner un Type de vin"), QStringLiteral("Erreur"),
                     Prompt::Icon::Exclamation);
        return;
    }
    LibraryFactDialog dialog(window(), attribute, m_type, m_appellation);
    dialog.exec();
    readFacts();
}

void LibraryPage::showWinesForDish()
{
    WinesForDishDialog dialog(window());
    dialog.exec();
}
